#include "LevelBuilder.h"
#include "RecordingUserInterface.h"
#include "container/LoadDat.h"
#include "container/Session.h"

#include <gtest/gtest.h>

using namespace drossel;
using namespace drossel::testing;

TEST(Smoke, LoadsBuiltLevel) {
    TempDir dir;
    LevelBuilder b;
    b.Add("TXMP", "wall");
    const auto dat = b.Write(dir / "level");
    Session s;
    RecordingUserInterface ui;
    EXPECT_TRUE(LoadDat(s, ui, dat));
    ASSERT_EQ(s.table.count(), 1);
    EXPECT_EQ(s.table.at(0).name, "wall");
}
