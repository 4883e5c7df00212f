#include "geometry/LightWave.h"

#include "io/Error.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>

namespace drossel {
namespace {

using Bytes = std::vector<std::uint8_t>;

// LWO2 keeps VX indices below 0xFF00 in two bytes; the four-byte form holds 24 bits.
constexpr std::uint32_t kVxLongFrom = 0xFF00;
constexpr std::uint32_t kVxMax = 0xFFFFFF;

template <typename... Parts>
[[noreturn]] void Refuse(const Parts&... parts) {
    std::string message = "cannot write the LightWave object: ";
    auto append = [&message](const auto& part) {
        if constexpr (std::is_arithmetic_v<std::decay_t<decltype(part)>>) {
            message += std::to_string(part);
        } else {
            message += part;
        }
    };
    (append(parts), ...);
    throw DrosselError(message);
}

std::uint32_t U4Length(std::uint64_t length) {
    if (length > std::numeric_limits<std::uint32_t>::max()) Refuse("the object would exceed 4 GiB");
    return static_cast<std::uint32_t>(length);
}

// The stored length of an S0 string: the text, a NUL, and a pad NUL to make it even.
std::uint64_t S0Length(const std::string& text) {
    return (text.size() + 2) & ~std::uint64_t{1};
}
std::uint64_t VxLength(std::uint32_t index) {
    return index < kVxLongFrom ? 2 : 4;
}

struct Writer {
    Bytes out;

    void Id(std::string_view id) {
        out.resize(out.size() + id.size());
        std::copy(id.begin(), id.end(), out.end() - static_cast<std::ptrdiff_t>(id.size()));
    }
    void U2(std::uint32_t v) {
        out.push_back(static_cast<std::uint8_t>(v >> 8));
        out.push_back(static_cast<std::uint8_t>(v));
    }
    void U4(std::uint32_t v) {
        U2(v >> 16);
        U2(v & 0xFFFF);
    }
    // The file wants the float's bits big-endian; on a little-endian host that is
    // its four bytes reversed.
    void F4(float v) { U4(std::bit_cast<std::uint32_t>(v)); }
    void Vx(std::uint32_t index) { index < kVxLongFrom ? U2(index) : U4(0xFF000000u | index); }
    void S0(const std::string& text) {
        Id(text);
        out.resize(out.size() + static_cast<std::size_t>(S0Length(text) - text.size()), 0);
    }
    void Chunk(std::string_view id, std::uint64_t length) {
        Id(id);
        U4(U4Length(length));
    }
    void Point(const drossel::Point& p) {
        F4(p.x);
        F4(p.y);
        F4(p.z);
    }
};

void CheckMesh(const Mesh& mesh, bool lwo2) {
    const std::string_view form = lwo2 ? "LWO2 (layout 70)" : "LWOB (layouts 60 and 65)";
    const std::uint64_t maxIndex = lwo2 ? kVxMax : 0xFFFF;
    // LWO2 also numbers its origin point (index P), the polygons and the UV entries with VX.
    const std::uint64_t maxPoints = lwo2 ? kVxMax : maxIndex + 1;
    const std::uint64_t maxSurfaces = lwo2 ? 0xFFFF : 0x7FFF;
    if (mesh.points.size() > maxPoints) Refuse(form, " holds at most ", maxPoints, " points, not ", mesh.points.size());
    if (lwo2 && mesh.triangles.size() > kVxMax + 1) Refuse(form, " holds at most ", kVxMax + 1, " polygons");
    if (lwo2 && mesh.texCoords.size() > kVxMax + 1) Refuse(form, " holds at most ", kVxMax + 1, " UV entries");
    if (mesh.surfaces.size() > maxSurfaces) {
        Refuse(form, " holds at most ", maxSurfaces, " surfaces, not ", mesh.surfaces.size());
    }
    for (std::size_t s = 0; s < mesh.surfaces.size(); ++s) {
        if (mesh.surfaces[s].find('\0') != std::string::npos) {
            Refuse("the name of surface ", s + 1, " holds a zero byte");
        }
    }
    for (std::size_t t = 0; t < mesh.triangles.size(); ++t) {
        const Triangle& tri = mesh.triangles[t];
        for (std::uint32_t index : {tri.a, tri.b, tri.c}) {
            if (index > maxIndex) {
                Refuse(form, " holds point indices up to ", maxIndex, ", triangle ", t, " names ", index);
            }
            if (index >= mesh.points.size()) {
                Refuse("triangle ", t, " names point ", index, ", but there are ", mesh.points.size(), " points");
            }
        }
        if (tri.surface == 0 || tri.surface > mesh.surfaces.size()) {
            Refuse("triangle ", t, " names surface ", tri.surface, ", but there are ", mesh.surfaces.size(),
                   " surfaces");
        }
    }
}

Bytes WriteLwob(const Mesh& mesh, bool withSurfaces) {
    std::uint64_t names = 0, surfChunks = 0;
    for (const auto& name : mesh.surfaces) {
        names += S0Length(name);
        surfChunks += 8 + S0Length(name) + 34;
    }
    const std::uint64_t points = 12 * std::uint64_t{mesh.points.size()};
    const std::uint64_t polygons = 10 * std::uint64_t{mesh.triangles.size()};
    const std::uint64_t form = 4 + (8 + names) + (8 + points) + (8 + polygons) + (withSurfaces ? surfChunks : 0);

    Writer w;
    w.out.reserve(static_cast<std::size_t>(U4Length(form)) + 8);
    w.Chunk("FORM", form);
    w.Id("LWOB");
    auto writeSrfs = [&] {
        w.Chunk("SRFS", names);
        for (const auto& name : mesh.surfaces) w.S0(name);
    };
    if (withSurfaces) writeSrfs();
    w.Chunk("PNTS", points);
    for (const auto& p : mesh.points) w.Point(p);
    if (!withSurfaces) writeSrfs();
    w.Chunk("POLS", polygons);
    for (const auto& t : mesh.triangles) {
        for (std::uint32_t v : {3u, t.a, t.b, t.c, std::uint32_t{t.surface}}) w.U2(v);
    }
    if (withSurfaces) {
        for (const auto& name : mesh.surfaces) {
            w.Chunk("SURF", S0Length(name) + 34);
            w.S0(name);
            // White, reflection 5/256, opaque, diffuse 255/256.
            w.Id("COLR");
            w.U2(4);
            w.U4(0xFFFFFF00);
            for (auto [id, value] : {std::pair{"REFL", 5}, {"TRAN", 0}, {"DIFF", 255}}) {
                w.Id(id);
                w.U2(2);
                w.U2(static_cast<std::uint32_t>(value));
            }
        }
    }
    return std::move(w.out);
}

Bytes WriteLwo2(const Mesh& mesh) {
    const std::size_t pointCount = mesh.points.size();
    std::uint64_t tags = 0, surfChunks = 0;
    for (const auto& name : mesh.surfaces) {
        tags += S0Length(name);
        surfChunks += 8 + S0Length(name) + 110;
    }
    const std::uint64_t points = 12 * (std::uint64_t{pointCount} + 1);
    std::uint64_t vmap = 14 + 8 * std::uint64_t{mesh.texCoords.size()};
    for (std::uint32_t i = 0; i < mesh.texCoords.size(); ++i) vmap += VxLength(i);
    std::uint64_t pols = 4, ptag = 4;
    for (std::uint32_t t = 0; t < mesh.triangles.size(); ++t) {
        const Triangle& tri = mesh.triangles[t];
        pols += 2 + VxLength(tri.a) + VxLength(tri.b) + VxLength(tri.c);
        ptag += VxLength(t) + 2;
    }
    const std::uint64_t form =
        4 + (8 + tags) + (8 + 18) + (8 + points) + (8 + vmap) + (8 + pols) + (8 + ptag) + surfChunks;

    Writer w;
    w.out.reserve(static_cast<std::size_t>(U4Length(form)) + 8);
    w.Chunk("FORM", form);
    w.Id("LWO2");
    w.Chunk("TAGS", tags);
    for (const auto& name : mesh.surfaces) w.S0(name);
    // Layer 0, no flags, pivot at the origin, no name, no parent.
    w.Chunk("LAYR", 18);
    w.out.resize(w.out.size() + 18, 0);
    w.Chunk("PNTS", points);
    for (const auto& p : mesh.points) w.Point(p);
    w.Point({});
    w.Chunk("VMAP", vmap);
    w.Id("TXUV");
    w.U2(2);
    w.S0("Texture");
    for (std::uint32_t i = 0; i < mesh.texCoords.size(); ++i) {
        w.Vx(i);
        w.F4(mesh.texCoords[i].u);
        w.F4(1.0f - mesh.texCoords[i].v);
    }
    w.Chunk("POLS", pols);
    w.Id("FACE");
    for (const auto& t : mesh.triangles) {
        w.U2(3);
        for (std::uint32_t v : {t.a, t.b, t.c}) w.Vx(v);
    }
    w.Chunk("PTAG", ptag);
    w.Id("SURF");
    for (std::uint32_t t = 0; t < mesh.triangles.size(); ++t) {
        w.Vx(t);
        w.U2(mesh.triangles[t].surface - 1u);
    }
    for (const auto& name : mesh.surfaces) {
        w.Chunk("SURF", S0Length(name) + 110);
        w.S0(name);
        w.S0("");  // no source surface
        w.Id("COLR");
        w.U2(14);
        for (int i = 0; i < 3; ++i) w.F4(1.0f);
        w.Vx(0);
        // Luminosity, diffuse, specularity and transparency: their four-character
        // IDs one after another, and their values.
        constexpr std::string_view kShadingIds = "LUMIDIFFSPECTRAN";
        constexpr std::array kShading = {0.75f, 0.5f, 0.0f, 0.0f};
        for (std::size_t k = 0; k < kShading.size(); ++k) {
            w.Id(kShadingIds.substr(4 * k, 4));
            w.U2(6);
            w.F4(kShading[k]);
            w.Vx(0);
        }
        w.Id("VCOL");
        w.U2(26);
        w.F4(1.0f);
        w.Vx(0);
        w.Id("RGBA");
        w.S0("Vertex colormap");
        w.Id("ALPH");
        w.U2(2);
        w.U2(2);
    }
    return std::move(w.out);
}

}  // namespace

std::vector<std::uint8_t> WriteLightWave(const Mesh& mesh, int layout) {
    if (layout != 60 && layout != 65 && layout != 70) Refuse("unknown layout ", layout, " (60, 65 or 70)");
    CheckMesh(mesh, layout == 70);
    return layout == 70 ? WriteLwo2(mesh) : WriteLwob(mesh, layout == 65);
}

}  // namespace drossel
