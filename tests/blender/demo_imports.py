#!/usr/bin/env python3
"""Blender imports the demo level's glTF exports: its model, weapon, character
and level, with the numbers of objects, vertices, faces and images expected,
the character's nineteen objects in one hierarchy.

Run by ctest:   demo_imports.py DROSSEL_CLI MAKE_DEMO_LEVEL WORK_FOLDER
Without Blender it says so and exits 77, which ctest reports as skipped.
Inside Blender (blender -b --python demo_imports.py -- FILE.glb...) it imports
each file and prints what it found, one JSON line per file.
"""
import json
import os
import shutil
import subprocess
import sys

# What Blender 3.4 finds in each file: objects, mesh vertices and faces,
# images, and the objects in the largest hierarchy.
EXPECTED = {
    "crate_box": (1, 34, 52, 1, 1),
    "w1_tap": (1, 40, 60, 1, 1),
    "konoko": (19, 160, 240, 2, 19),
    "level1": (4, 39, 19, 4, 1),
}


def inside_blender(paths):
    import numpy
    numpy.bool = bool  # Blender 3.4's importer still uses numpy.bool, which numpy 1.24 removed
    import bpy

    def size(obj):
        return 1 + sum(size(child) for child in obj.children)

    for path in paths:
        bpy.ops.wm.read_factory_settings(use_empty=True)
        bpy.ops.import_scene.gltf(filepath=path)
        objects = list(bpy.context.scene.objects)
        meshes = [o.data for o in objects if o.type == "MESH"]
        found = (len(objects), sum(len(m.vertices) for m in meshes), sum(len(m.polygons) for m in meshes),
                 len(bpy.data.images), max((size(o) for o in objects if o.parent is None), default=0))
        print("IMPORTED " + json.dumps({"file": path, "found": found}), flush=True)


def main(cli, make_demo_level, work):
    blender = shutil.which("blender")
    if blender is None:
        print("SKIPPED: Blender is not installed (scripts/install-deps installs it); "
              "the Blender import checks did not run")
        return 77
    os.makedirs(work, exist_ok=True)
    level = subprocess.run([make_demo_level, os.path.join(work, "demo")], check=True,
                           capture_output=True, text=True).stdout.strip()
    tree = subprocess.run([cli, "tree", level], check=True, capture_output=True, text=True).stdout
    index = {line.split("\t")[2]: line.split("\t")[1][1:] for line in tree.splitlines() if line.startswith("\t")}
    files = {}
    for name in EXPECTED:
        out = subprocess.run([cli, "convert", "--3d-format", "glb", "--character-group", "1", level, index[name],
                              os.path.join(work, name + ".glb")], check=True, capture_output=True, text=True)
        files[out.stdout.strip()] = name
    # Blender runs on the system's Python, whose numpy its importer needs: a
    # version manager's Python (pyenv) ahead on the PATH must not stand in for it.
    env = {k: v for k, v in os.environ.items() if not k.startswith("PYENV")}
    env["PATH"] = os.pathsep.join(d for d in env.get("PATH", "").split(os.pathsep) if "pyenv" not in d)
    run = subprocess.run([blender, "-b", "--factory-startup", "--python", os.path.abspath(__file__), "--", *files],
                         capture_output=True, text=True, env=env)
    found = {}
    for line in run.stdout.splitlines():
        if line.startswith("IMPORTED "):
            report = json.loads(line[len("IMPORTED "):])
            found[files[report["file"]]] = tuple(report["found"])
    failed = 0
    for name, expected in EXPECTED.items():
        got = found.get(name)
        print(f"{name}: objects, vertices, faces, images, largest hierarchy {got}, expected {expected}")
        failed += got != expected
    if failed or run.returncode != 0:
        print(run.stdout[-4000:], run.stderr[-4000:])
    print(f"{len(EXPECTED) - failed} passed, {failed} failed")
    return 1 if failed or run.returncode != 0 else 0


if __name__ == "__main__":
    if "--" in sys.argv:
        inside_blender(sys.argv[sys.argv.index("--") + 1:])
    else:
        sys.exit(main(*sys.argv[1:4]))
