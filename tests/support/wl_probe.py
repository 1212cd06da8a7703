#!/usr/bin/env python3
"""What the Wayland desktop test needs to know about the game's windows.

  wl_probe.py find TITLE          one line "id width height x y" per visible
                                  window titled TITLE (x y: its content's
                                  top-left on the output), from swaymsg's tree
  wl_probe.py grab PPM            "colours hash" of a screenshot in PPM: how
                                  many colours, and a hash that changes with
                                  any pixel
Exit status: 0 done, 1 nothing found.
"""
import hashlib
import json
import subprocess
import sys


def views(node):
    if node.get("pid") and node.get("visible", True):
        yield node
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        yield from views(child)


def find(title):
    tree = json.loads(subprocess.run(["swaymsg", "-t", "get_tree", "-r"], check=True,
                                     capture_output=True, text=True).stdout)
    found = False
    for view in views(tree):
        if view.get("name") != title:
            continue
        rect, content = view["rect"], view["window_rect"]
        print(view["id"], content["width"], content["height"], rect["x"] + content["x"], rect["y"] + content["y"])
        found = True
    return 0 if found else 1


def grab(path):
    data = open(path, "rb").read()
    # Binary PPM: "P6", width, height, maximum, one whitespace, then RGB.
    fields, position = [], 0
    while len(fields) < 4:
        while data[position:position + 1].isspace():
            position += 1
        end = position
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[position:end])
        position = end
    pixels = data[position + 1:]
    colours = {pixels[i:i + 3] for i in range(0, len(pixels), 3)}
    print(len(colours), hashlib.md5(pixels).hexdigest()[:16])
    return 0


if __name__ == "__main__":
    command, argument = sys.argv[1], sys.argv[2]
    sys.exit(find(argument) if command == "find" else grab(argument))
