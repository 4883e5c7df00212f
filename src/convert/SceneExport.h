#pragma once
// Models, weapons' models, characters and levels as scenes (geometry/Scene.h):
// the meshes the LightWave and exchange exports write, turned to glTF's axes
// and units, with each material's texture decoded. The glTF export writes
// them; a preview may draw them.
//
// The game's axes are left-handed (x right, y up, z forward) and its unit is
// about a decimetre (its characters stand some 18 units tall). A scene's
// point is the game's (x, y, z) as (-x, y, z) / 10: x turns round (the one
// axis change that makes the frame right-handed and keeps y up and the front
// towards +z), and a unit becomes 0.1 m. Turning one axis mirrors, so every
// triangle's corners run the other way round, and a triangle that is visible
// in the game faces the viewer in the scene. Texture coordinates stay as the
// game stores them: its (0, 0) is the top-left corner of the picture too.
//
// What a scene lacks (a texture that cannot be had, triangles that name points
// a model does not have) is noted in `out`; what would make a wrong object (a
// link that names nothing) throws DrosselError, as in the other exports.

#include "convert/CharacterBody.h"
#include "convert/Conversion.h"
#include "geometry/Scene.h"

namespace drossel {

inline constexpr float kMetresPerUnit = 0.1f;

// A game point in the scene's axes and units.
inline Point ScenePoint(Point p) {
    return {-p.x * kMetresPerUnit, p.y * kMetresPerUnit, p.z * kMetresPerUnit};
}

// The scene as a glTF binary file: the chosen path with `suffix` and ".glb" in
// place of its extension, as the level's exchange formats are named.
OutputPiece GlbPiece(const Scene& scene, const std::string& suffix = "");

// A model (M3GM): one node with its mesh, textured by the model's texture link.
Scene ModelScene(const Level& level, const ResourceRecord& model, Conversion& out);

// A character's body (ForEachBody): a node for each part, named after its
// body part (pelvis, left thigh, ... right fist), in the hierarchy of the
// skeleton's bones, placed so that its points land where the LightWave export
// puts them; each part textured by its model's texture link. A part mirrored
// on its joint (x sign -1) keeps its triangles' corner order.
Scene CharacterScene(const Level& level, const Body& body, Conversion& out);

// A level (ONLV): a node and mesh for each texture (and each two-sided or
// transparent use of it) its quads show, with the quads' corner colours.
// Quads flagged as triangles give one triangle; ghost, door-frame and
// invisible quads are left out unless `options.AllQuadsGeometry`.
Scene LevelScene(const Level& level, const ResourceRecord& resource, const Options& options, Conversion& out);

// The scene makers of the kind table (SceneMaker), each the scenes its kind's
// glTF export writes: a model's; a weapon's model's; one for each body of a
// character that the options choose, its part "group N"; a level's.
std::vector<ResourceScene> ModelScenes(const Level& level, const ResourceRecord& model, const Options& options,
                                       Conversion& out);
std::vector<ResourceScene> WeaponScenes(const Level& level, const ResourceRecord& weapon, const Options& options,
                                        Conversion& out);
std::vector<ResourceScene> CharacterScenes(const Level& level, const ResourceRecord& character, const Options& options,
                                           Conversion& out);
std::vector<ResourceScene> LevelScenes(const Level& level, const ResourceRecord& resource, const Options& options,
                                       Conversion& out);

// The model a weapon (ONWC) shows.
const ResourceRecord& WeaponModel(const Level& level, const ResourceRecord& weapon);

}  // namespace drossel
