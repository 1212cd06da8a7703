#!/usr/bin/env python3
"""Start-up of the game against a floor window, measured from outside.

Run through startup.sh, which builds what this needs. Every case runs in
turn, round after round, each start with fresh settings and cache folders,
on a virtual X display of its own; the tables show medians.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

TITLE = "Brackwater-Tilemere"
PHASES = [  # (name in the hook file, what the table calls it)
    ("qt_and_display", "QApplication: Qt plugins, X connection"),
    ("store", "score store (QSettings)"),
    ("drive_list", "drive list (mounted volumes)"),
    ("audio_output", "audio output"),
    ("fonts", "fonts (fontconfig)"),
    ("picture_decodes", "picture decodes (first start to last end, any thread)"),
]


def start_display():
    """An Xvfb with a black root, so an undrawn window is one colour."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-br", "-nolisten", "tcp"],
        pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = pipe.readline().strip()
    if not number:
        sys.exit("Xvfb did not start")
    return server, ":" + number


def program_folder(work, game, name, pictures=None):
    """A copy of the game beside its resources; the game reads everything,
    its start folder of pictures too, from beside its own file."""
    folder = os.path.join(work, name)
    os.makedirs(folder, exist_ok=True)
    source = os.path.dirname(game)
    shutil.copy2(game, os.path.join(folder, "brackwater-tilemere"))
    for entry in ("Gfx", "help", "index.htm", "brackwater-tilemere-sound.so") + (() if pictures else ("Puzzleimages",)):
        link = os.path.join(folder, entry)
        if not os.path.lexists(link) and os.path.lexists(os.path.join(source, entry)):
            os.symlink(os.path.join(source, entry), link)
    if pictures and not os.path.lexists(os.path.join(folder, "Puzzleimages")):
        os.symlink(pictures, os.path.join(folder, "Puzzleimages"))
    return os.path.join(folder, "brackwater-tilemere")


def fresh_home(work, cache=None):
    home = tempfile.mkdtemp(prefix="home-", dir=work)
    run = os.path.join(home, "run")
    os.mkdir(run, 0o700)
    return home, {
        "HOME": home,
        "XDG_CONFIG_HOME": os.path.join(home, "config"),
        "XDG_CACHE_HOME": cache or os.path.join(home, "cache"),
        "XDG_RUNTIME_DIR": run,
    }


def probe(tools, display, env_extra, command, slots, phases_file=None):
    env = {k: v for k, v in os.environ.items() if not k.startswith(("QT_", "XDG_", "LD_PRELOAD"))}
    env.update(env_extra, DISPLAY=display, QT_QPA_PLATFORM="xcb")
    if phases_file:
        command = ["env", "TILEMERE_PHASES_FILE=" + phases_file,
                   "LD_PRELOAD=" + os.path.join(tools, "libstartup_phases.so")] + command
    result = subprocess.run([os.path.join(tools, "startup_probe"), TITLE, "1" if slots else "0", "--"] + command,
                            env=env, capture_output=True, text=True, timeout=120)
    if result.returncode != 0:
        sys.exit("probe failed for %s:\n%s%s" % (command[-1], result.stdout, result.stderr))
    return {key: float(value) for key, value in (item.split("=") for item in result.stdout.split())}


def djpeg_nine(photos):
    """The yardstick: djpeg at 1/8 scale on the nine, one after another,
    divided by the cores."""
    start = time.monotonic()
    for name in sorted(os.listdir(photos)):
        subprocess.run(["djpeg", "-scale", "1/8", "-outfile", os.devnull, os.path.join(photos, name)], check=True)
    return (time.monotonic() - start) * 1000 / os.cpu_count()


def phase_times(path, start_ns, drawn_ms):
    """Milliseconds per phase before the window was drawn, from the hook file."""
    main_ns, calls = None, []
    with open(path) as lines:
        for line in lines:
            fields = line.split()
            if fields[0] == "main":
                main_ns = int(fields[1])
            else:
                calls.append((fields[0], fields[1], int(fields[2]), int(fields[3])))
    limit = start_ns + drawn_ms * 1e6
    figures = {"main": (main_ns - start_ns) / 1e6}
    for name, _ in PHASES:
        mine = [c for c in calls if c[0] == name and c[3] <= limit]
        if name == "picture_decodes":
            # Qt's readers and PNG inflates are one call a picture; libjpeg
            # decodes row by row and is counted by its starts.
            rows = [c for c in calls if c[0] == "picture_rows" and c[3] <= limit]
            spans = mine + rows
            figures[name] = (max(c[3] for c in spans) - min(c[2] for c in spans)) / 1e6 if spans else 0.0
            figures["decodes"] = len(mine) + sum(1 for c in calls if c[0] == "picture_starts" and c[3] <= limit)
            figures["decodes_gui"] = sum(c[3] - c[2] for c in spans if c[1] == "gui") / 1e6
        else:  # only what holds up the window's own thread
            figures[name] = sum(c[3] - c[2] for c in mine if c[1] == "gui") / 1e6
    return figures


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("build", help="build folder with the game and the start-up tools")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--game", help="another build of the game to measure instead")
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    tools = os.path.join(build, "bench", "startup")
    game = os.path.abspath(args.game or os.path.join(build, "brackwater-tilemere", "brackwater-tilemere"))
    floor = [os.path.join(tools, "startup_floor")]

    work = os.path.join(build, "startup-bench")
    photos = os.path.join(work, "photos")
    if len(os.listdir(photos) if os.path.isdir(photos) else []) != 9:
        print("writing nine 6000x4000 photos ...", flush=True)
        subprocess.run([os.path.join(tools, "startup_photos"), photos, "9", "6000", "4000"], check=True)
    shipped = [program_folder(work, game, "shipped")]
    photo_game = [program_folder(work, game, "photos-game", photos)]
    runs = tempfile.mkdtemp(prefix="runs-", dir=work)
    server, display = start_display()
    results = {name: [] for name in ("floor", "shipped", "first", "second", "djpeg")}
    phases = {"floor": [], "shipped": [], "first": []}
    try:
        for _ in range(args.runs):
            results["floor"].append(probe(tools, display, fresh_home(runs)[1], floor, False))
            results["shipped"].append(probe(tools, display, fresh_home(runs)[1], shipped, True))
            home, env = fresh_home(runs)
            results["first"].append(probe(tools, display, env, photo_game, True))
            # Same thumbnail cache, everything else fresh.
            results["second"].append(probe(tools, display, fresh_home(runs, env["XDG_CACHE_HOME"])[1],
                                           photo_game, True))
            results["djpeg"].append({"drawn": djpeg_nine(photos)})
        # The phase runs come last and apart: the hooks cost a little time.
        for _ in range(args.runs):
            for name, command, slots in (("floor", floor, False), ("shipped", shipped, True),
                                         ("first", photo_game, True)):
                hooks = os.path.join(runs, "phases.txt")
                figures = probe(tools, display, fresh_home(runs)[1], command, slots, hooks)
                phases[name].append((figures, phase_times(hooks, figures["start_ns"], figures["drawn"])))
    finally:
        server.terminate()
        server.wait()
        shutil.rmtree(runs, ignore_errors=True)

    def median(case, key):
        return statistics.median(r[key] for r in results[case])

    floor_ms, floor_mib = median("floor", "drawn"), median("floor", "rss_kib") / 1024
    print("\nStart-up, medians of %d alternating runs (ms from exec; memory once settled)\n" % args.runs)
    print("| case | mapped | drawn | all nine thumbnails | drawn / floor | resident | - floor | libraries |")
    print("|---|---|---|---|---|---|---|---|")
    labels = {"floor": "floor: a minimal Qt window, 749x483", "shipped": "game, 14 shipped pictures",
              "first": "game, nine 6000x4000 photos, cache empty",
              "second": "game, nine 6000x4000 photos, cache warm"}
    for case, label in labels.items():
        slots = median(case, "slots")
        mib = median(case, "rss_kib") / 1024
        print("| %s | %.0f ms | %.0f ms | %s | %.2f x | %.1f MiB | %+.1f MiB | %.0f |" % (
            label, median(case, "mapped"), median(case, "drawn"), "-" if slots < 0 else "%.0f ms" % slots,
            median(case, "drawn") / floor_ms, mib, mib - floor_mib, median(case, "libraries")))
    djpeg = median("djpeg", "drawn")
    print("| djpeg -scale 1/8, the nine one after another / %d cores | | %.0f ms | | | | | |" % (
        os.cpu_count(), djpeg))
    print("\nGoals as ratios: shipped drawn %.2f x floor (<= 1.3); photos drawn %.2f x floor (<= 1.5); "
          "ninth thumbnail %.2f x djpeg (<= 1.2); warm cache all nine %.2f x floor (<= 1.5); "
          "memory %+.1f MiB over the floor (<= +4)" % (
              median("shipped", "drawn") / floor_ms, median("first", "drawn") / floor_ms,
              median("first", "slots") / djpeg, median("second", "slots") / floor_ms,
              median("shipped", "rss_kib") / 1024 - floor_mib))
    print("Resident split (median, MiB): " + ", ".join(
        "%s anon %.1f / file-backed %.1f" % (case, median(case, "rss_anon_kib") / 1024,
                                             median(case, "rss_file_kib") / 1024) for case in labels))

    print("\nPhases before the window is drawn, medians of %d runs with call hooks preloaded "
          "(ms; time on the window's thread unless noted)\n" % args.runs)
    print("| phase | " + " | ".join(labels[c] for c in phases) + " |")
    print("|---|" + "---|" * len(phases))

    def row(label, pick):
        print("| %s | %s |" % (label, " | ".join("%.1f" % statistics.median(pick(f, p) for f, p in phases[c])
                                                 for c in phases)))

    row("exec until main(): loading and linking libraries, static set-up", lambda f, p: p["main"])
    for name, label in PHASES:
        row(label, lambda f, p, name=name: p[name])
    row("number of pictures decoded", lambda f, p: p["decodes"])
    row("rest of main() until the window is mapped (widgets, lists, layout)",
        lambda f, p: f["mapped"] - p["main"] - p["decodes_gui"] - sum(p[n] for n, _ in PHASES if n != "picture_decodes"))
    row("mapped until drawn (first paint)", lambda f, p: f["drawn"] - f["mapped"])
    row("drawn (with hooks)", lambda f, p: f["drawn"])


if __name__ == "__main__":
    main()
