#include "LevelFixture.h"
#include "extract/Commands.h"
#include "extract/ConverterTable.h"
#include "image/ImageConverters.h"

#include <gtest/gtest.h>

using namespace drossel;
using namespace drossel::testing;

TEST(ConverterTable, TagsMeetTheirConvertersExactly) {
    EXPECT_EQ(ConverterFor("TXMP"), &ConvertTxmp);
    EXPECT_EQ(ConverterFor("TXMB"), &ConvertTxmb);
    EXPECT_EQ(ConverterFor("KeyI"), &ConvertKeyI);
    for (const char* tag : {"keyi", "KEYI", "txmp", "AKEV", "BINA", "", "TXMPX"}) {
        EXPECT_EQ(ConverterFor(tag), nullptr) << tag;
    }
}

TEST(UnpackAndConvert, RunsTheConverterOfTheSelectedKindWithItsDialog) {
    TempDir dir;
    LevelBuilder builder;
    const int texture = builder.AddTexture("wall", 4, 4, 1, Bytes(32, 0));
    const int environment = builder.Add("AKEV", "env");
    Session session = OpenBuiltLevel(builder, dir);
    RecordingUserInterface ui;

    session.selectedIndex = environment;
    UnpackAndConvert(session, ui);
    EXPECT_TRUE(ui.dialogs.empty());
    EXPECT_TRUE(ui.statusTexts.empty()) << "a kind without a converter does nothing at all";

    session.selectedIndex = texture;
    ui.savePaths.push_back(dir / "wall.tga");
    UnpackAndConvert(session, ui);
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].request.title, "Save Texture to BMP/TGA File...");
    EXPECT_EQ(ui.writtenFiles, std::vector<std::string>{dir / "wall.tga"});
}
