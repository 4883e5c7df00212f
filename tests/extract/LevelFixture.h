#pragma once
// Writing a built level and opening it as the program does, for the tests of the
// unpack and convert routines.

#include "DemoLevel.h"
#include "LevelBuilder.h"
#include "RecordingUserInterface.h"
#include "container/LoadDat.h"
#include "container/ResourceTree.h"
#include "container/Session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace drossel::testing {

inline Session OpenBuiltLevel(const LevelBuilder& builder, const TempDir& dir, const std::string& name = "level") {
    const std::string dat = builder.Write(dir / name);
    Session session;
    RecordingUserInterface ui;
    if (OpenLevel(session, ui, dat) != OpenResult::Loaded) ADD_FAILURE() << "the built level did not load";
    return session;
}

// The demo level, as make-demo-level writes it.
inline std::string WriteDemoLevel(const TempDir& dir) {
    return demo::BuildDemoLevel().Write(dir / "level1");
}

inline Session OpenDemoLevel(const TempDir& dir) {
    Session session;
    RecordingUserInterface ui;
    if (OpenLevel(session, ui, WriteDemoLevel(dir)) != OpenResult::Loaded)
        ADD_FAILURE() << "the demo level did not load";
    return session;
}

// The group node of this key in the Normal view, as the tree would hand it to a
// folder command; a node without children when the view has no such group.
inline GroupNode GroupOf(const Session& session, const std::string& key) {
    RecordingUserInterface quiet;
    const ResourceTree tree = BuildNormalView(session, quiet);
    const GroupNode* group = tree.FindGroup(key);
    return group != nullptr ? *group : GroupNode{key, "", {}};
}

inline std::size_t CountFiles(const std::string& folder) {
    std::size_t n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) n += entry.is_regular_file() ? 1 : 0;
    return n;
}

inline bool Exists(const std::string& path) {
    return std::filesystem::exists(path);
}

}  // namespace drossel::testing
