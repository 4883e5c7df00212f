#include "container/Catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace drossel;

TEST(Catalogue, GroupsKeepTheirOrderAndExactDescriptions) {
    const auto groups = Groups();
    ASSERT_EQ(groups.size(), 62u);
    EXPECT_EQ(groups[0].key, "BINA");
    EXPECT_EQ(groups[0].description, "Generic Binary Data Reference");
    EXPECT_EQ(groups[4].key, "IGHH");
    EXPECT_EQ(groups[4].description, "In-Game Help ");  // the trailing space is part of it
    EXPECT_EQ(groups[20].description, "Interface Widget Tables?");
    EXPECT_EQ(groups[34].key, "TXMP");
    EXPECT_EQ(groups[48].key, "LEVL");
    EXPECT_EQ(groups[48].description, "Level Chunks");
    EXPECT_EQ(groups[59].key, "TRTA");
    EXPECT_EQ(groups[60].key, "----");
    EXPECT_EQ(groups[60].description, "Other");
    EXPECT_EQ(groups[61].key, "UNKN");
    EXPECT_EQ(groups[61].description, "UnNamed resources");
    std::set<std::string_view> keys;
    for (const auto& g : groups) {
        EXPECT_EQ(g.key.size(), 4u) << g.key;
        keys.insert(g.key);
    }
    EXPECT_EQ(keys.size(), groups.size()) << "group keys are unique";
}

TEST(Catalogue, LevelChunkTagsAreExactAndCaseSensitive) {
    int count = 0;
    for (const char* tag : {"PLEA", "AGDB", "AGQC", "AGQR", "AGQG", "AKVA", "AKBA", "AKBP", "ABNA",
                            "AKOT", "AKAA", "AKDA", "AKEV", "OBOA", "ONMA", "ONFA", "ONTA", "ONSK",
                            "AISA", "AITR", "ONSA", "OBDC", "ONOA", "OTIT", "OTLF", "QTNA", "TXMA"}) {
        EXPECT_TRUE(IsLevelChunkTag(tag)) << tag;
        ++count;
    }
    EXPECT_EQ(count, 27);
    EXPECT_FALSE(IsLevelChunkTag("PNTA"));
    EXPECT_FALSE(IsLevelChunkTag("TSFT"));
    EXPECT_FALSE(IsLevelChunkTag("akev"));
    EXPECT_FALSE(IsLevelChunkTag(""));
}

TEST(Catalogue, ResourceClasses) {
    EXPECT_EQ(ResourceClassOf("TXMP"), ResourceClass::Convertible);
    EXPECT_EQ(ResourceClassOf("TXMA"), ResourceClass::Convertible);
    EXPECT_EQ(ResourceClassOf("ONSK"), ResourceClass::Convertible);
    EXPECT_EQ(ResourceClassOf("ONLV"), ResourceClass::Convertible);
    EXPECT_EQ(ResourceClassOf("OSBD"), ResourceClass::UnpackOnly);
    EXPECT_EQ(ResourceClassOf("TRAS"), ResourceClass::UnpackOnly);
    EXPECT_EQ(ResourceClassOf("QTNA"), ResourceClass::UnpackOnly);
    EXPECT_EQ(ResourceClassOf("TSGA"), ResourceClass::Other);
    EXPECT_EQ(ResourceClassOf("keyi"), ResourceClass::Other);
    EXPECT_EQ(ResourceClassOf(""), ResourceClass::Other);
}

TEST(Catalogue, GroupClassesDifferFromResourceClasses) {
    EXPECT_EQ(GroupClassOf("ONLV"), GroupClass::FolderUnpackOnly);  // converts alone, unpacks as a group
    EXPECT_EQ(GroupClassOf("AKEV"), GroupClass::FolderUnpackOnly);
    EXPECT_EQ(GroupClassOf("TXMP"), GroupClass::FolderConvertible);
    EXPECT_EQ(GroupClassOf("TXMA"), GroupClass::FolderConvertible);
    EXPECT_EQ(GroupClassOf("ONSK"), GroupClass::Other);
    EXPECT_EQ(GroupClassOf("LEVL"), GroupClass::Other);
    EXPECT_EQ(GroupClassOf("----"), GroupClass::Other);
    EXPECT_EQ(GroupClassOf("UNKN"), GroupClass::Other);
    EXPECT_EQ(GroupClassOf("IMPT"), GroupClass::Other);
    EXPECT_EQ(GroupClassOf("Impt"), GroupClass::FolderUnpackOnly);
}

TEST(SelectionRules, ResourceClickFollowsTheClassAndOtherTagsKeepConvert) {
    SelectionCommands s;
    s.exportFolder = s.exportAndConvertFolder = true;
    s = AfterResourceClick(s, "TXMP");
    EXPECT_EQ(s, (SelectionCommands{true, true, false, false}));
    s = AfterResourceClick(s, "TSGA");  // neither class: convert keeps its state
    EXPECT_EQ(s, (SelectionCommands{true, true, false, false}));
    s = AfterResourceClick(s, "OSBD");
    EXPECT_EQ(s, (SelectionCommands{true, false, false, false}));
    s = AfterResourceClick(s, "TSGA");
    EXPECT_EQ(s, (SelectionCommands{true, false, false, false}));
}

TEST(SelectionRules, GroupClickFollowsTheGroupClassAndOtherKeysKeepBoth) {
    SelectionCommands s{true, true, false, false};
    s = AfterGroupClick(s, "TXMP");
    EXPECT_EQ(s, (SelectionCommands{false, false, true, true}));
    s = AfterGroupClick(s, "LEVL");
    EXPECT_EQ(s, (SelectionCommands{false, false, true, true}));
    s = AfterGroupClick(s, "BINA");
    EXPECT_EQ(s, (SelectionCommands{false, false, true, false}));
    s = AfterGroupClick(s, "----");
    EXPECT_EQ(s, (SelectionCommands{false, false, true, false}));
    s = AfterGroupClick(SelectionCommands{true, true, false, false}, "UNKN");
    EXPECT_EQ(s, (SelectionCommands{false, false, false, false}));
}
