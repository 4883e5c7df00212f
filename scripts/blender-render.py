# Renders the demo level's glTF exports as Blender imports them (Cycles on the
# CPU), for the README: the room with the character standing in it, and the
# character alone. Faces are culled from behind, as in the game, where a
# material is not two-sided (the importer's use_backface_culling), so a part
# that came out inside out shows as a hole.
#
#   blender -b --factory-startup --python scripts/blender-render.py -- LEVEL.glb CHARACTER.glb OUT_FOLDER
#
# The pictures in docs/ (about a minute on two cores):
#   BUILD/tools/make-demo-level /tmp/demo
#   BUILD/drossel-cli convert --3d-format glb /tmp/demo.dat 70 /tmp/level.glb
#   BUILD/drossel-cli convert --3d-format glb --character-group 1 /tmp/demo.dat 43 /tmp/konoko.glb
#   blender -b --factory-startup --python scripts/blender-render.py -- /tmp/level.glb /tmp/konoko.glb docs
import math
import sys

import numpy

numpy.bool = bool  # Blender 3.4's importer still uses numpy.bool, which numpy 1.24 removed

import bpy  # noqa: E402
from mathutils import Vector  # noqa: E402

level_path, character_path, out = sys.argv[sys.argv.index("--") + 1:][:3]


def imported(path):
    before = set(bpy.context.scene.objects)
    bpy.ops.import_scene.gltf(filepath=path)
    return [o for o in bpy.context.scene.objects if o not in before]


def cull_back_faces():
    # Cycles has no culling switch: a face seen from behind shows what lies behind it.
    for material in bpy.data.materials:
        if not material.use_nodes or not material.use_backface_culling or material.get("culled"):
            continue
        material["culled"] = True
        nodes, links = material.node_tree.nodes, material.node_tree.links
        output = next(n for n in nodes if n.type == "OUTPUT_MATERIAL")
        shader = output.inputs["Surface"].links[0].from_socket
        mix = nodes.new("ShaderNodeMixShader")
        links.new(nodes.new("ShaderNodeNewGeometry").outputs["Backfacing"], mix.inputs["Fac"])
        links.new(shader, mix.inputs[1])
        links.new(nodes.new("ShaderNodeBsdfTransparent").outputs["BSDF"], mix.inputs[2])
        links.new(mix.outputs["Shader"], output.inputs["Surface"])


def look(camera, at):
    direction = Vector(at) - camera.location
    camera.rotation_euler = direction.to_track_quat("-Z", "Y").to_euler()


def render(name, camera_at, target, lens):
    scene = bpy.context.scene
    camera = bpy.data.objects.new("camera", bpy.data.cameras.new("camera"))
    camera.data.lens = lens
    scene.collection.objects.link(camera)
    camera.location = camera_at
    look(camera, target)
    scene.camera = camera
    scene.render.filepath = f"{out}/{name}"
    bpy.ops.render.render(write_still=True)
    bpy.data.objects.remove(camera)


bpy.ops.wm.read_factory_settings(use_empty=True)
scene = bpy.context.scene
scene.render.engine = "CYCLES"
scene.cycles.device = "CPU"
scene.cycles.samples = 32
scene.cycles.use_denoising = False
scene.render.resolution_x, scene.render.resolution_y = 960, 600
scene.render.image_settings.file_format = "PNG"
world = bpy.data.worlds.new("sky")
world.use_nodes = True
world.node_tree.nodes["Background"].inputs["Color"].default_value = (0.55, 0.6, 0.7, 1)
world.node_tree.nodes["Background"].inputs["Strength"].default_value = 0.8
scene.world = world
sun = bpy.data.objects.new("sun", bpy.data.lights.new("sun", "SUN"))
sun.data.energy = 3
sun.rotation_euler = (math.radians(40), math.radians(15), math.radians(30))
scene.collection.objects.link(sun)

imported(level_path)
character = imported(character_path)
# The character's pelvis is its origin: it is set on the floor, its feet on it.
lowest = min((o.matrix_world @ Vector(c)).z for o in character if o.type == "MESH" for c in o.bound_box)
for top in (o for o in character if o.parent is None):
    top.location.z -= lowest
cull_back_faces()
render("blender-level.png", (-1.2, -3.6, 2.9), (0.3, 0.3, 0.5), 24)
for o in bpy.context.scene.objects:
    o.hide_render = o not in character and o.type == "MESH"
render("blender-character.png", (1.2, -3.8, 1.3), (0.0, 0.0, 0.92), 35)
