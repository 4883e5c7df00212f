#pragma once

#include "LevelBuilder.h"

namespace drossel::demo {

// The demo level: every catalogue group has at least one resource, a few are
// unnamed, and the level record leads through its environment and octree to
// the point, texture coordinate and index lists it uses.
testing::LevelBuilder BuildDemoLevel();

}  // namespace drossel::demo
