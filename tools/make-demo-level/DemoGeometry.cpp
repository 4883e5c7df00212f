#include "DemoGeometry.h"

#include "DemoPictures.h"

#include "geometry/Mesh.h"
#include "level/records/LevelRecords.h"
#include "level/records/ModelRecords.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace drossel::demo {

using testing::Bytes;
using testing::ListOf;
using testing::EncodeTexturePixels;
using testing::LevelBuilder;
using testing::Picture;
using testing::PutU16;
using testing::PutU32;
using testing::Words;
using testing::Rgba;

namespace {

std::uint32_t Id(int index) {
    return LevelBuilder::IdentifierOf(index);
}

template <typename Entry>
Bytes CountedList(const std::vector<Entry>& entries) {
    return ListOf(ListHeader{}, entries);
}

Bytes PointList(const std::vector<Point>& points) {
    return ListOf(PointListHeader{}, points);
}

Point Plus(Point a, Point b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

// A model's geometry as its four lists hold it.
struct Shape {
    std::vector<Point> points;
    std::vector<TexCoord> uv;  // one per point
    std::vector<std::int32_t> strips;
    std::uint32_t triangles = 0;
};

constexpr std::uint32_t kStripStart = 0x80000000u;

void AddStrip(Shape& s, std::uint32_t first, const std::vector<std::uint32_t>& corners) {
    for (std::size_t k = 0; k < corners.size(); ++k) {
        const std::uint32_t value = (first + corners[k]) | (k == 0 ? kStripStart : 0u);
        s.strips.push_back(std::bit_cast<std::int32_t>(value));
    }
    s.triangles += static_cast<std::uint32_t>(corners.size() - 2);
}

// A convex polygon `ring` swept along `along`. The ring runs so that `along`
// crossed with each of its edges points out of the solid: then every triangle's
// (b - a) x (c - a) points out, which LightWave reads as the visible side.
// Rings of at least four corners keep every strip longer than three values, which
// the decoder would otherwise take for the start of separate triangles.
void AddPrism(Shape& s, const std::vector<Point>& ring, Point along) {
    const auto first = static_cast<std::uint32_t>(s.points.size());
    const auto n = static_cast<std::uint32_t>(ring.size());
    for (std::uint32_t end = 0; end < 2; ++end) {
        for (std::uint32_t k = 0; k < n; ++k) {
            s.points.push_back(end == 0 ? ring[k] : Plus(ring[k], along));
            // The picture's top row (v = 0) at the far end: upright on a box swept upwards.
            s.uv.push_back({static_cast<float>(k % 2), static_cast<float>(1 - end)});
        }
    }
    std::vector<std::uint32_t> walls;
    for (std::uint32_t k = 0; k <= n; ++k) walls.insert(walls.end(), {k % n, n + k % n});
    AddStrip(s, first, walls);
    // Each end as a zigzag across the polygon; the far one runs the ring the
    // other way round, so the two ends face away from each other.
    std::vector<std::uint32_t> near{0};
    for (std::uint32_t lo = 1, hi = n - 1, turn = 0; lo <= hi; ++turn) near.push_back(turn % 2 == 0 ? lo++ : hi--);
    std::vector<std::uint32_t> far;
    for (std::uint32_t k : near) far.push_back(n + (n - k) % n);
    AddStrip(s, first, near);
    AddStrip(s, first, far);
}

struct Box {
    float x0, y0, z0, x1, y1, z1;
};

// A box, its faces out; or, `insideOut`, in: the ring runs the other way round.
void AddBox(Shape& s, const Box& b, bool insideOut = false) {
    const float left = insideOut ? b.x1 : b.x0, right = insideOut ? b.x0 : b.x1;
    AddPrism(s, {{left, b.y0, b.z0}, {right, b.y0, b.z0}, {right, b.y0, b.z1}, {left, b.y0, b.z1}},
             {0, b.y1 - b.y0, 0});
}

constexpr Box MirroredX(const Box& b) {
    return {-b.x1, b.y0, b.z0, -b.x0, b.y1, b.z1};
}

// A model's lists other than its points, by resource index.
struct ModelLists {
    int texCoords = -1, strips = -1, triangles = -1;
};

// Fills the model record and adds its lists, named after it. With `shared`,
// only the points are new: the other lists are those of a model with the same
// corners and strips.

ModelLists AddModel(LevelBuilder& b, int model, const std::string& name, const Shape& s,
                    const ModelLists* shared = nullptr) {
    ModelRecord record{};
    record.points = Id(b.AddData("PNTA", name + "_points", PointList(s.points)));
    ModelLists lists;
    if (shared != nullptr) {
        lists = *shared;
    } else {
        lists.texCoords = b.AddData("TXCA", name + "_uv", CountedList(s.uv));
        lists.strips = b.AddData("IDXA", name + "_strips", CountedList(s.strips));
        std::vector<std::int32_t> perTriangle(s.triangles);
        for (std::size_t t = 0; t < perTriangle.size(); ++t) perTriangle[t] = static_cast<std::int32_t>(t);
        lists.triangles = b.AddData("IDXA", name + "_triangles", CountedList(perTriangle));
    }
    record.texCoords = Id(lists.texCoords);
    record.strips = Id(lists.strips);
    record.triangles = Id(lists.triangles);
    b.resource(model).data = BytesOf(record);
    return lists;
}

// A house, longer than deep: a pentagonal body with its gable roof, a door and a
// window on the front (-z), a chimney at the back right. Nothing about it is
// symmetric, so a mirrored or upside-down export shows.
Shape House() {
    Shape s;
    constexpr float x0 = -6, x1 = 6, front = -4, back = 4, eaves = 6, ridge = 9;
    AddPrism(s, {{x0, 0, front}, {x0, 0, back}, {x0, eaves, back}, {x0, ridge, 0}, {x0, eaves, front}},
             {x1 - x0, 0, 0});
    AddBox(s, {-4.0f, 0.0f, -4.6f, -1.5f, 4.5f, -4.0f});  // door
    AddBox(s, {1.5f, 2.5f, -4.5f, 4.0f, 4.5f, -4.0f});    // window
    AddBox(s, {2.5f, 6.5f, 1.0f, 4.0f, 10.5f, 2.5f});     // chimney
    return s;
}

// A pistol pointing along +z: receiver, barrel, a front sight on top and the
// grip below, behind the middle.
Shape Gun() {
    Shape s;
    AddBox(s, {-0.5f, 0.0f, -1.5f, 0.5f, 1.4f, 3.0f});    // receiver
    AddBox(s, {-0.25f, 0.6f, 3.0f, 0.25f, 1.1f, 9.0f});   // barrel
    AddBox(s, {-0.1f, 1.1f, 8.3f, 0.1f, 1.5f, 8.8f});     // front sight
    AddBox(s, {-0.4f, -2.8f, -1.3f, 0.4f, 0.0f, 0.2f});   // grip
    AddBox(s, {-0.15f, -0.9f, 0.6f, 0.15f, 0.0f, 0.9f});  // trigger
    return s;
}

// The character: y up, facing +z, its left side at -x. Joint 0 is the pelvis at
// the origin; the legs hang from it, the spine rises from it, the arms hang from
// the top of the spine.
constexpr int kUsedJoints = 19;
using Joints = std::array<Point, kUsedJoints>;

constexpr Joints kJointPositions{{
    {0.0f, 0.0f, 0.0f},    // 0 pelvis
    {-1.1f, -0.6f, 0.0f},  // 1 left hip
    {-1.1f, -4.6f, 0.0f},  // 2 left knee
    {1.1f, -8.4f, 0.0f},   // 3 right ankle
    {1.1f, -0.6f, 0.0f},   // 4 right hip
    {1.1f, -4.6f, 0.0f},   // 5 right knee
    {-1.1f, -8.4f, 0.0f},  // 6 left ankle
    {0.0f, 0.8f, 0.0f},    // 7 waist
    {0.0f, 3.0f, 0.0f},    // 8 chest
    {0.0f, 5.8f, 0.0f},    // 9 neck
    {0.0f, 6.7f, 0.0f},    // 10 head
    {-0.6f, 5.3f, 0.0f},   // 11 left collarbone
    {2.9f, 5.3f, 0.0f},    // 12 right shoulder
    {2.9f, 2.5f, 0.0f},    // 13 right elbow
    {2.9f, -0.1f, 0.0f},   // 14 right wrist
    {0.6f, 5.3f, 0.0f},    // 15 right collarbone
    {-2.9f, 5.3f, 0.0f},   // 16 left shoulder
    {-2.9f, 2.5f, 0.0f},   // 17 left elbow
    {-2.9f, -0.1f, 0.0f},  // 18 left wrist
}};

// Parent and child of each joint: the game's tree of bones (bone k carries
// part k + 1), every parent before its children. The joints' positions above
// are where the LightWave export's placement table puts each part's joint.
struct Edge {
    int parent, child;
};
constexpr std::array<Edge, kUsedJoints - 1> kSkeleton{{
    {0, 1},    // pelvis: left thigh
    {1, 2},    // left calf
    {2, 3},    // left foot
    {0, 4},    // right thigh
    {4, 5},    // right calf
    {5, 6},    // right foot
    {0, 7},    // mid (spine)
    {7, 8},    // chest
    {8, 9},    // neck
    {9, 10},   // head
    {8, 11},   // left shoulder
    {11, 12},  // left arm
    {12, 13},  // left wrist
    {13, 14},  // left fist
    {8, 15},   // right shoulder
    {15, 16},  // right arm
    {16, 17},  // right wrist
    {17, 18},  // right fist
}};

// The joint offsets the character export negates x of before adding them up.
constexpr std::array<int, 12> kMirroredJoints{2, 3, 5, 6, 11, 12, 13, 14, 15, 16, 17, 18};

// Where the character export puts each part: its joint, x sign and z shift.
struct Placement {
    int joint;
    float xSign;
    float dz;
};

struct Part {
    const char* name;
    Placement placement;
    Box box;  // where the part lies on the standing character
};

constexpr Box kLeftThigh{-1.7f, -4.6f, -0.65f, -0.5f, -0.6f, 0.65f};
constexpr Box kLeftCalf{-1.6f, -8.4f, -0.55f, -0.6f, -4.6f, 0.55f};
constexpr Box kLeftFoot{-1.65f, -9.2f, -0.7f, -0.55f, -8.4f, 2.0f};  // toes forward
constexpr Box kLeftCollar{-3.4f, 4.8f, -0.7f, -0.6f, 5.9f, 0.7f};
constexpr Box kLeftUpperArm{-3.4f, 2.5f, -0.5f, -2.4f, 5.3f, 0.5f};
constexpr Box kLeftForearm{-3.35f, -0.1f, -0.45f, -2.45f, 2.5f, 0.45f};
constexpr Box kLeftHand{-3.15f, -1.5f, -0.4f, -2.65f, -0.1f, 0.6f};
constexpr Box kHead{-1.1f, 6.7f, -1.2f, 1.1f, 9.2f, 1.2f};
constexpr Box kNose{-0.2f, 7.6f, 1.2f, 0.2f, 8.1f, 1.8f};

constexpr std::array<Part, kBodyParts> kParts{{
    {"pelvis", {0, 1, 0}, {-1.9f, -1.0f, -1.0f, 1.9f, 0.8f, 1.0f}},
    {"left_thigh", {1, -1, 0}, kLeftThigh},
    {"left_calf", {2, -1, 0}, kLeftCalf},
    {"left_foot", {6, -1, 0}, kLeftFoot},
    {"right_thigh", {4, -1, 0}, MirroredX(kLeftThigh)},
    {"right_calf", {5, -1, 0}, MirroredX(kLeftCalf)},
    {"right_foot", {3, -1, 0}, MirroredX(kLeftFoot)},
    {"waist", {7, 1, 0}, {-1.7f, 0.8f, -0.9f, 1.7f, 3.0f, 0.9f}},
    {"chest", {8, 1, 0}, {-2.2f, 3.0f, -1.1f, 2.2f, 5.8f, 1.1f}},
    {"neck", {9, 1, 0}, {-0.45f, 5.8f, -0.45f, 0.45f, 6.7f, 0.45f}},
    {"head", {10, 1, 0}, kHead},
    {"left_collar", {11, -1, 1.0f}, kLeftCollar},
    {"left_upper_arm", {16, -1, -1.4899f}, kLeftUpperArm},
    {"left_forearm", {17, -1, -1.4899f}, kLeftForearm},
    {"left_hand", {18, -1, -1.4899f}, kLeftHand},
    {"right_collar", {15, -1, -1.0f}, MirroredX(kLeftCollar)},
    {"right_upper_arm", {12, -1, 1.4899f}, MirroredX(kLeftUpperArm)},
    {"right_forearm", {13, -1, 1.4899f}, MirroredX(kLeftForearm)},
    {"right_hand", {14, -1, 1.4899f}, MirroredX(kLeftHand)},
}};

// A body: the standing pose stretched upwards by `height`.
Point Stretched(Point p, float height) {
    return {p.x, p.y * height, p.z};
}

// Part `c` where it stands on the body. Every part's model is a solid with its
// faces out in its own frame; a part the export mirrors (x sign -1) is stored
// mirrored, so in place its faces run the other way round.
Shape PartInPlace(std::size_t c, float height) {
    Shape s;
    AddBox(s, kParts[c].box, kParts[c].placement.xSign < 0);
    if (c == 10) AddBox(s, kNose);
    for (Point& p : s.points) p = Stretched(p, height);
    return s;
}

// Part `c`'s shape in its own frame: the export maps a point p to
// (xSign * p.x + joint.x, p.y + joint.y, p.z + joint.z + dz), so the stored
// point undoes that from where the point should end up.
Shape PartShape(std::size_t c, float height) {
    const Part& part = kParts[c];
    Shape s = PartInPlace(c, height);
    const Point joint = Stretched(kJointPositions[static_cast<std::size_t>(part.placement.joint)], height);
    for (Point& p : s.points) {
        p = {part.placement.xSign * (p.x - joint.x), p.y - joint.y, p.z - joint.z - part.placement.dz};
    }
    return s;
}

constexpr float kTall = 1.1f;  // the fifth group's body

// Joint offsets (TRTA) and bones (TRIA): a u16 count at 0x1E, the entries from 0x20.
template <typename Entry>
Bytes JointList(const std::vector<Entry>& entries) {
    Bytes list(0x20 + entries.size() * sizeof(Entry));
    PutU16(list, 0x1E, static_cast<std::uint16_t>(entries.size()));
    std::memcpy(list.data() + 0x20, entries.data(), entries.size() * sizeof(Entry));
    return list;
}

// The stored joint offsets: each joint relative to its parent, x negated where
// the export negates it again.
Bytes JointOffsets(float height) {
    std::vector<JointOffset> offsets(kJointOffsets, JointOffset{0, 0, 0});
    for (const Edge& e : kSkeleton) {
        const Point child = Stretched(kJointPositions[static_cast<std::size_t>(e.child)], height);
        const Point parent = Stretched(kJointPositions[static_cast<std::size_t>(e.parent)], height);
        JointOffset& o = offsets[static_cast<std::size_t>(e.child)];
        o = {child.x - parent.x, child.y - parent.y, child.z - parent.z};
        for (int m : kMirroredJoints) {
            if (m == e.child) o.x = -o.x;
        }
    }
    return JointList(offsets);
}

// The bones as the game lays them out, one for each joint: byte 0 the parent
// bone, byte 1 the first child (0: none), byte 2 the next sibling (0: none).
// The export finds the joints by walking them in order.
Bytes Bones() {
    std::vector<std::array<std::uint8_t, 4>> bones(kUsedJoints, {0, 0, 0, 0});
    for (const Edge& e : kSkeleton) {
        const auto parent = static_cast<std::uint8_t>(e.parent), child = static_cast<std::uint8_t>(e.child);
        bones[child][0] = parent;
        std::uint8_t* link = &bones[parent][1];  // the first child, then each sibling's next sibling
        while (*link != 0) link = &bones[*link][2];
        *link = child;
    }
    return JointList(bones);
}

// Nineteen part models on a part list; with `shared`, the lists other than the
// points are those of the first set, whose corners and strips are the same.
void AddPartList(LevelBuilder& b, int list, const std::string& prefix, float height, std::vector<ModelLists>& shared) {
    Bytes parts(0x80);  // the models of parts 1 to 19 from 0x20
    for (std::size_t c = 0; c < kParts.size(); ++c) {
        const std::string name = prefix + kParts[c].name;
        const int model = b.Add("M3GM", name, sizeof(ModelRecord));
        const ModelLists lists =
            AddModel(b, model, name, PartShape(c, height), shared.size() > c ? &shared[c] : nullptr);
        if (shared.size() <= c) shared.push_back(lists);
        PutU32(parts, 0x20 + 4 * c, Id(model));
    }
    b.resource(list).data = parts;
}

void AddCharacter(LevelBuilder& b, const GeometryTargets& t) {
    std::vector<ModelLists> lists;
    AddPartList(b, t.parts, "konoko_", 1.0f, lists);
    const int tallParts = b.Add("TRGA", "skeleton_parts_tall", sizeof(PartListRecord));
    AddPartList(b, tallParts, "konoko_tall_", kTall, lists);

    b.resource(t.jointOffsets).data = JointOffsets(1.0f);
    const int tallJoints = b.AddData("TRTA", "konoko_joints_tall", JointOffsets(kTall));
    b.resource(t.bones).data = Bones();

    // Bodies as the game lays them out: the part count at 0x0C, an internal
    // name at 0x10, the part list, joint offsets and bones at 0x5C, 0x60, 0x64.
    Bytes set(32);  // the bodies of groups 1 to 5 from 0x08
    for (int g = 0; g < kCharacterGroups; ++g) {
        const bool tall = g == kCharacterGroups - 1;
        std::string name = "konoko_skeleton_";
        name += std::to_string(g + 1);
        Bytes body = Words(144, {{0x5C, Id(tall ? tallParts : t.parts)},
                                 {0x60, Id(tall ? tallJoints : t.jointOffsets)},
                                 {0x64, Id(t.bones)}});
        PutU16(body, 0x0C, static_cast<std::uint16_t>(kParts.size()));
        std::copy(name.begin(), name.end(), body.begin() + 0x10);
        int index = t.body;
        if (g == 0) {
            b.resource(index).data = body;
        } else {
            index = b.AddData("TRCM", name, body);
        }
        PutU32(set, 8 + 4 * static_cast<std::size_t>(g), Id(index));
    }
    b.resource(t.bodySet).data = set;
    b.resource(t.character).data = Words(3232, {{3132, Id(t.bodySet)}});
}

// Small pictures for the level's own textures.
Picture Checker(int size, int cell, Rgba a, Rgba b) {
    Picture p(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) p.at(x, y) = (x / cell + y / cell) % 2 == 0 ? a : b;
    }
    return p;
}

// A door: a frame, two panels and a handle on the right.
Picture Door(int width, int height) {
    const Rgba frame{90, 50, 20, 255}, panel{170, 110, 50, 255}, handle{240, 220, 60, 255};
    Picture p(width, height, frame);
    for (int y = 3; y < height - 3; ++y) {
        for (int x = 3; x < width - 3; ++x) {
            if (y != height / 2) p.at(x, y) = panel;
        }
    }
    for (int y = height / 2 - 3; y <= height / 2 + 3; ++y) {
        for (int x = width - 8; x < width - 5; ++x) p.at(x, y) = handle;
    }
    return p;
}

// The level's quads, each with four points and four texture coordinates of
// its own (the level export keeps one texture coordinate per point).
struct Room {
    std::vector<Point> points;
    std::vector<TexCoord> uv;
    std::vector<Quad> quads;
    std::vector<QuadTexture> textures;

    // A rectangle from `origin` spanning `u` and `v`; its visible side is v x u.
    // Seen from that side, u runs to the right and v up, and the texture lies
    // upright: its top row (texture coordinate v = 0) at origin + v.
    void Add(Point origin, Point u, Point v, std::int16_t texture, float tile, std::uint32_t flags = 0) {
        const Point corners[4] = {origin, Plus(origin, v), Plus(Plus(origin, u), v), Plus(origin, u)};
        const float uLength = std::sqrt(u.x * u.x + u.y * u.y + u.z * u.z) / tile;
        const float vLength = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z) / tile;
        AddCorners(corners, {{{0, vLength}, {0, 0}, {uLength, 0}, {uLength, vLength}}}, texture, flags);
    }
    // A triangle quad: its fourth corner is its third again.
    void AddTriangle(Point a, Point b, Point c, std::int16_t texture) {
        const Point corners[4] = {a, b, c, c};
        AddCorners(corners, {{{0, 1}, {0, 0}, {1, 0}, {1, 0}}}, texture, kQuadTriangle);
    }
    // A wall from (x0, z0) to (x1, z1), visible on the side that
    // (0, 1, 0) x (x1 - x0, 0, z1 - z0) points to.
    void Wall(float x0, float z0, float x1, float z1, float y0, float y1, std::int16_t texture,
              std::uint32_t flags = 0) {
        Add({x0, y0, z0}, {x1 - x0, 0, z1 - z0}, {0, y1 - y0, 0}, texture, 8, flags);
    }

private:
    void AddCorners(const Point (&corners)[4], const std::array<TexCoord, 4>& uvs, std::int16_t texture,
                    std::uint32_t flags) {
        const auto first = static_cast<std::uint32_t>(points.size());
        Quad quad{};
        for (std::uint32_t k = 0; k < 4; ++k) {
            // A triangle's fourth corner names its third point and coordinate.
            const std::uint32_t index = (flags & kQuadTriangle) != 0 && k == 3 ? first + 2 : first + k;
            if (index == first + k) {
                points.push_back(corners[k]);
                uv.push_back(uvs[k]);
            }
            quad.points[k] = index;
            quad.texCoords[k] = index;
        }
        // Lighting a little darker towards the floor, so the colours show.
        for (std::uint32_t k = 0; k < 4; ++k) {
            const auto light = static_cast<std::uint8_t>(std::clamp(150.0f + 6 * corners[k].y, 0.0f, 255.0f));
            std::uint8_t* bgra = quad.colours + 4 * k;
            bgra[0] = bgra[1] = bgra[2] = light;
            bgra[3] = 255;
        }
        quad.flags = flags;
        quads.push_back(quad);
        textures.push_back({texture, 0});
    }
};

// Indices into the level's texture list: the walls and the floor use the two
// textures the list already names.
struct RoomTextures {
    std::int16_t wall = 0, floor = 1, collision = -1, door = -1, window = -1;
};

// A room 40 x 40 and 16 high with no ceiling. The doorway is in the front wall
// (+z), right of the middle, its door open (two-sided) and a ghost quad across
// it; an invisible collision block stands in the back left corner; a window of
// a see-through texture hangs before the back wall, and a triangle pennant on
// the left wall.
Room BuildRoom(const RoomTextures& tex) {
    Room r;
    constexpr float h = 16, side = 20, doorLeft = 6, doorRight = 12, doorTop = 11;
    r.Add({-side, 0, -side}, {2 * side, 0, 0}, {0, 0, 2 * side}, tex.floor, 8);
    // Every wall faces into the room.
    r.Wall(side, -side, -side, -side, 0, h, tex.wall);
    r.Wall(-side, -side, -side, side, 0, h, tex.wall);
    r.Wall(-side, side, doorLeft, side, 0, h, tex.wall);
    r.Wall(doorLeft, side, doorRight, side, doorTop, h, tex.wall);
    r.Wall(doorRight, side, side, side, 0, h, tex.wall);
    r.Wall(side, side, side, -side, 0, h, tex.wall);
    // The door stands open into the room, hinged at the doorway's right post.
    r.Wall(doorRight, side, doorRight, side - (doorRight - doorLeft), 0, doorTop, tex.door, kQuadTwoSided);
    // The collision block faces out, so its walls run the other way round.
    constexpr float x0 = -18, x1 = -12, z0 = -18, z1 = -12, top = 5;
    r.Wall(x0, z0, x1, z0, 0, top, tex.collision, kQuadInvisible);
    r.Wall(x1, z0, x1, z1, 0, top, tex.collision, kQuadInvisible);
    r.Wall(x1, z1, x0, z1, 0, top, tex.collision, kQuadInvisible);
    r.Wall(x0, z1, x0, z0, 0, top, tex.collision, kQuadInvisible);
    r.Add({x0, top, z0}, {x1 - x0, 0, 0}, {0, 0, z1 - z0}, tex.collision, 8, kQuadInvisible);
    r.Wall(doorLeft, side - 1, doorRight, side - 1, 0, doorTop, tex.wall, kQuadGhost);
    r.Wall(4, -side + 0.5f, -4, -side + 0.5f, 4, 12, tex.window, kQuadTransparent);
    r.AddTriangle({-side + 0.5f, 14, -4}, {-side + 0.5f, 14, 4}, {-side + 0.5f, 8, 0}, tex.floor);
    return r;
}

void AddLevelGeometry(LevelBuilder& b, const GeometryTargets& t) {
    // The texture list keeps what it names and gains the collision and door textures.
    const int collision = b.AddTexture("COLLISION", 16, 16, 1,
                                       EncodeTexturePixels(Checker(16, 4, {255, 0, 255, 255}, {0, 0, 0, 255}), 1));
    const int door = b.AddTexture("_DOOR_A", 32, 64, 1, EncodeTexturePixels(Door(32, 64), 1));
    Bytes& list = b.resource(t.levelTextures).data;
    ListHeader header = RecordFrom<ListHeader>(list);
    std::vector<std::uint32_t> ids(header.count);
    std::memcpy(ids.data(), list.data() + sizeof header, ids.size() * sizeof(std::uint32_t));
    RoomTextures tex;
    tex.collision = static_cast<std::int16_t>(ids.size());
    ids.push_back(Id(collision));
    tex.door = static_cast<std::int16_t>(ids.size());
    ids.push_back(Id(door));
    tex.window = static_cast<std::int16_t>(ids.size());
    ids.push_back(Id(b.IndexNamed("wall_arrow_cutout")));
    list = ListOf(header, ids);

    const Room room = BuildRoom(tex);
    b.resource(t.levelPoints).data = PointList(room.points);
    b.resource(t.levelTexCoords).data = CountedList(room.uv);
    b.resource(t.levelQuads).data = CountedList(room.quads);
    const int quadTextures = b.AddData("AGQR", "level1_AGQR", CountedList(room.textures));

    Bytes& data = b.resource(t.environment).data;
    auto env = RecordFrom<EnvironmentRecord>(data);
    env.quads = Id(t.levelQuads);
    env.quadTextures = Id(quadTextures);
    env.textures = Id(t.levelTextures);
    const Bytes record = BytesOf(env);
    std::copy(record.begin(), record.end(), data.begin());
}

}  // namespace

// A model's texture: its link at 0x24 names a new texture of this picture.
void SetModelTexture(LevelBuilder& b, int model, const std::string& name, const Picture& picture) {
    const int texture = b.AddTexture(name, picture.width, picture.height, 1, EncodeTexturePixels(picture, 1));
    testing::PutU32(b.resource(model).data, 0x24, Id(texture));
}

void AddGeometry(LevelBuilder& b, const GeometryTargets& t) {
    AddModel(b, t.model, b.resource(t.model).name.value_or("model"), House());
    SetModelTexture(b, t.model, "house_walls", ArrowAndGlyph(64, 64, 'F', {250, 240, 200, 255}, {150, 60, 40, 255}));
    const int gun = b.Add("M3GM", "w1_tap_gun", sizeof(ModelRecord));
    AddModel(b, gun, "w1_tap_gun", Gun());
    SetModelTexture(b, gun, "w1_tap_metal", Glyph(32, 32, 'F', {230, 230, 230, 255}, {60, 60, 70, 255}));
    WeaponRecord weapon{};
    weapon.model = Id(gun);
    b.resource(t.weapon).data = BytesOf(weapon);
    AddCharacter(b, t);
    // The character's parts: skin where it shows, the suit elsewhere.
    const auto texture = [&](const char* name, const Picture& p) {
        return Id(b.AddTexture(name, p.width, p.height, 1, EncodeTexturePixels(p, 1)));
    };
    const std::uint32_t skin = texture("konoko_skin", Glyph(32, 32, 'F', {120, 70, 50, 255}, {235, 190, 160, 255}));
    const std::uint32_t suit =
        texture("konoko_suit", ArrowAndGlyph(64, 64, 'F', {240, 240, 240, 255}, {70, 40, 110, 255}));
    for (const char* prefix : {"konoko_", "konoko_tall_"}) {
        for (std::size_t c = 0; c < kParts.size(); ++c) {
            const bool bare = c == 9 || c == 10 || c == 14 || c == 18;  // neck, head, hands
            testing::PutU32(b.resource(b.IndexNamed(prefix + std::string(kParts[c].name))).data, 0x24,
                            bare ? skin : suit);
        }
    }
    AddLevelGeometry(b, t);
}

std::vector<Point> CharacterInPlace(int group) {
    std::vector<Point> points;
    for (std::size_t c = 0; c < kParts.size(); ++c) {
        const Shape s = PartInPlace(c, group == kCharacterGroups ? kTall : 1.0f);
        points.insert(points.end(), s.points.begin(), s.points.end());
    }
    return points;
}

}  // namespace drossel::demo
