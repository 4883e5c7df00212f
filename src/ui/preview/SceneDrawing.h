#pragma once
// A scene made ready to draw, on the preview's thread: each node that shows a
// mesh becomes one batch of vertices placed in the scene's frame (the
// translations of the node and of its parents added up), each vertex with its
// texture coordinate and colour; the textures become images, top row first;
// and the bounds of it all are known. SceneView uploads and draws it.

#include "app/Preview.h"

#include <QImage>
#include <QList>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace drossel::ui {

struct DrawVertex {
    float x = 0, y = 0, z = 0;
    float u = 0, v = 0;
    std::array<std::uint8_t, 4> colour{255, 255, 255, 255};  // red, green, blue, alpha
};
static_assert(sizeof(DrawVertex) == 24);

struct DrawBatch {
    std::vector<DrawVertex> vertices;
    std::vector<std::uint32_t> indices;  // three a triangle, counter-clockwise seen from its front
    int texture = -1;                    // into DrawableScene::textures; -1: none
    bool doubleSided = false;
    bool blend = false;
    bool coloured = false;  // its colours are the light it gets, so it is not shaded again
};

struct DrawableScene {
    QString facts;                       // SceneFactsText
    QString part;                        // "group 1"; empty for a resource's only scene
    std::vector<DrawBatch> batches;      // those that blend last
    QList<QImage> textures;              // RGBA, top row first
    std::array<float, 3> low{}, high{};  // the bounds of every vertex
};

DrawableScene DrawableOf(const ResourceScene& scene);

}  // namespace drossel::ui
