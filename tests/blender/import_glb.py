# Imports each .glb named after "--" into an empty Blender scene with Blender's
# own glTF importer and prints one JSON line per file: the numbers of objects,
# mesh vertices and faces, images, and the objects under the first top object.
#
#   blender -b --factory-startup --python tests/blender/import_glb.py -- FILE.glb...
import json
import sys

import numpy

# Blender 3.4's importer still uses numpy.bool, which numpy 1.24 removed.
numpy.bool = bool

import bpy  # noqa: E402


def descendants(obj):
    return sum(1 + descendants(child) for child in obj.children)


for path in sys.argv[sys.argv.index("--") + 1:]:
    bpy.ops.wm.read_factory_settings(use_empty=True)
    result = bpy.ops.import_scene.gltf(filepath=path)
    objects = list(bpy.context.scene.objects)
    meshes = [o for o in objects if o.type == "MESH"]
    tops = [o for o in objects if o.parent is None]
    print("IMPORTED " + json.dumps({
        "file": path,
        "result": sorted(result),
        "objects": len(objects),
        "vertices": sum(len(o.data.vertices) for o in meshes),
        "faces": sum(len(o.data.polygons) for o in meshes),
        "images": len(bpy.data.images),
        "tops": len(tops),
        "largest_hierarchy": max((1 + descendants(o) for o in tops), default=0),
    }), flush=True)
