#include "app/SelectionRules.h"
#include "kinds/KindTable.h"

#include <gtest/gtest.h>

using namespace drossel;

// Properties every row must have; the rows themselves are the table's to state.
TEST(KindTable, EveryRowIsConsistent) {
    for (const Kind& k : Kinds()) {
        SCOPED_TRACE(k.tag.str());
        EXPECT_EQ(&KindOf(k.tag), &k) << "every tag finds its own row";
        EXPECT_TRUE(k.description.empty() || k.fileUnder.empty()) << "a kind files under its own group or another";
        if (k.convert != nullptr) {
            EXPECT_EQ(k.resourceClass, ResourceClass::Convertible);
            EXPECT_FALSE(k.saveDialog.title.empty());
        }
        EXPECT_TRUE(k.folder.prompt.empty() || k.groupClass == GroupClass::FolderConvertible);
        EXPECT_TRUE(!k.convertAll.included || k.resourceClass == ResourceClass::Convertible);
        EXPECT_TRUE(!k.unpacksRaw || k.raw != nullptr);
    }
}

TEST(KindTable, TagsAreExactAndCaseSensitive) {
    for (const char* tag : {"keyi", "IMPT", "", "TXMPX", "ZZZZ"}) {
        EXPECT_EQ(KindOf(tag).resourceClass, ResourceClass::Other) << tag;
        EXPECT_EQ(KindOf(tag).convert, nullptr) << tag;
        EXPECT_TRUE(KindOf(tag).description.empty()) << tag;
    }
    EXPECT_EQ(KindOf("Impt").groupClass, GroupClass::FolderUnpackOnly);
    std::size_t withRaw = 0;
    for (const Kind& k : Kinds()) withRaw += k.raw != nullptr ? 1 : 0;
    EXPECT_EQ(RawBlocks().size(), withRaw);
    for (const KindRawBlock& k : RawBlocks()) EXPECT_EQ(k.block, KindOf(k.tag).raw) << k.tag;
}

TEST(SelectionRules, ClicksFollowTheClassesAndOtherKindsKeepTheState) {
    SelectionCommands s{false, false, true, true};
    s = AfterResourceClick(s, "TXMP");
    EXPECT_EQ(s, (SelectionCommands{true, true, false, false}));
    s = AfterResourceClick(s, "TSGA");  // neither class: convert keeps its state
    EXPECT_EQ(s, (SelectionCommands{true, true, false, false}));
    s = AfterResourceClick(s, "OSBD");
    EXPECT_EQ(s, (SelectionCommands{true, false, false, false}));
    EXPECT_EQ(AfterResourceClick(s, "TSGA"), s);
    s = AfterGroupClick(s, "TXMP");
    EXPECT_EQ(s, (SelectionCommands{false, false, true, true}));
    EXPECT_EQ(AfterGroupClick(s, "LEVL"), s);
    s = AfterGroupClick(s, "BINA");
    EXPECT_EQ(s, (SelectionCommands{false, false, true, false}));
    EXPECT_EQ(AfterGroupClick(SelectionCommands{true, true, false, false}, "UNKN"), (SelectionCommands{}));
}
