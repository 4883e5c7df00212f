#pragma once
// A scene as a viewer or a glTF file takes it: nodes in a hierarchy, each with
// a translation and at most one mesh; meshes of triangles with one material
// each; materials with their texture as a decoded picture. Pure data; no level
// knowledge. The converters build it (convert/SceneExport.h), the glTF writer
// writes it, and a preview may draw it.
//
// Axes and units are glTF's: right-handed, y up, the front of a model towards
// +z, one unit a metre. A triangle's corners run counter-clockwise seen from
// its front. Texture coordinate (0, 0) is the top-left corner of the picture.
// Names are UTF-8.

#include "geometry/Mesh.h"
#include "image/PixelBuffer.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace drossel {

struct SceneColour {
    std::uint8_t red = 255, green = 255, blue = 255, alpha = 255;
};

struct SceneMaterial {
    std::string name;
    // The picture the material shows; none: plain white. Materials may share one.
    std::shared_ptr<const PixelBuffer> texture;
    bool doubleSided = false;
    bool blend = false;  // the texture's alpha blends with what lies behind
};

struct SceneMesh {
    std::string name;
    std::vector<Point> positions{};
    std::vector<TexCoord> texCoords{};   // empty, or one per position
    std::vector<SceneColour> colours{};  // empty, or one per position
    std::vector<std::array<std::uint32_t, 3>> triangles{};
    int material = -1;  // index into Scene::materials; -1: none
};

struct SceneNode {
    std::string name;
    int parent = -1;    // an earlier node; -1: a node at the top of the scene
    Point translation;  // from the parent's origin
    int mesh = -1;      // index into Scene::meshes; -1: none
};

struct Scene {
    std::vector<SceneNode> nodes;
    std::vector<SceneMesh> meshes;
    std::vector<SceneMaterial> materials;
};

}  // namespace drossel
