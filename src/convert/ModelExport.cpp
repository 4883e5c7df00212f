// Models and weapons to LightWave objects or glTF binary files.

#include "convert/Converters.h"
#include "convert/ModelGeometry.h"
#include "convert/SceneExport.h"
#include "geometry/LightWave.h"
#include "level/records/ModelRecords.h"

namespace drossel {
namespace {

Conversion ModelObject(const Level& level, const ResourceRecord& model, int layout) {
    Conversion out;
    if (layout == kGlb) {
        out.pieces.push_back(GlbPiece(ModelScene(level, model, out)));
        return out;
    }
    ModelGeometry g = ReadModelGeometry(level, model, out);
    Mesh mesh{std::move(g.points), std::move(g.texCoords), std::move(g.triangles), {"default material"}};
    out.pieces.push_back({.content = WriteLightWave(mesh, layout)});
    return out;
}

}  // namespace

Conversion ExportModel(const Level& level, const ResourceRecord& resource, const Options& options, Progress&) {
    return ModelObject(level, resource, options.ModelLwoFormat);
}

Conversion ExportWeapon(const Level& level, const ResourceRecord& resource, const Options& options,
                        Progress& progress) {
    const ResourceRecord& model = WeaponModel(level, resource);
    // The weapon's own layout, and its model's name in the status bar.
    progress.Status("Status: Converting " + std::string(model.name));
    return ModelObject(level, model, options.WeaponLwoFormat);
}

}  // namespace drossel
