#!/usr/bin/env python3
"""The release zip as a user gets it: made by cpack, unpacked into a fresh folder, and its
tidyreel.exe started under Wine on a small folder of episodes.

    package_test.py --build DIR --version X.Y.Z.W --cpack CPACK --probe tidyreel_probe.exe

Fails (exit 1) when the zip has another name or other files than tidyreel.exe, README.txt and
LICENSE, when its text files are not CR LF, or when the packaged program does not sort the
folder as the tool does: summary counts, every file in its season folder, exit code 0.
"""
import argparse
import os
import re
import subprocess
import sys
import tempfile
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

PACKAGED = {"tidyreel.exe", "README.txt", "LICENSE"}

# The example of the README: three episodes of two shows, and a file that stays.
BEFORE = [
    "Show.Name.S01E01.Pilot.720p.HDTV.x264-GRP.mkv",
    "Show.Name.S01E02.Second.720p.HDTV.x264-GRP.mkv",
    "Another.Show.s03e07.Title.PDTV.XviD-TEAM.avi",
    "README.txt",
]
AFTER = [
    "Another.Show.s03.PDTV.XviD-TEAM/Another.Show.s03e07.Title.PDTV.XviD-TEAM.avi",
    "README.txt",
    "Show.Name.S01.720p.HDTV.x264-GRP/Show.Name.S01E01.Pilot.720p.HDTV.x264-GRP.mkv",
    "Show.Name.S01.720p.HDTV.x264-GRP/Show.Name.S01E02.Second.720p.HDTV.x264-GRP.mkv",
]

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def windows_path(path):
    """The Wine name of a Linux path: drive Z: is the Linux root."""
    return "Z:" + path.replace("/", "\\")


def files_below(folder):
    found = []
    for parent, _, names in os.walk(folder):
        for name in names:
            found.append(os.path.relpath(os.path.join(parent, name), folder).replace(os.sep, "/"))
    return sorted(found)


def make_package(args, work):
    out = os.path.join(work, "out")
    subprocess.run([args.cpack, "--config", os.path.join(args.build, "CPackConfig.cmake"), "-B", out],
                   check=True, stdout=subprocess.DEVNULL)
    zips = [name for name in os.listdir(out) if name.endswith(".zip")]
    expected = f"tidyreel-{args.version}-win64.zip"
    check(zips == [expected], f"cpack made {zips}, expected [{expected}]")
    return os.path.join(out, expected)


def check_contents(args, package):
    with zipfile.ZipFile(package) as archive:
        names = set(archive.namelist())
        check(names == PACKAGED, f"zip holds {sorted(names)}, expected {sorted(PACKAGED)}")
        for name in ("README.txt", "LICENSE"):
            if name not in names:
                continue
            text = archive.read(name)
            check(b"\n" in text and text.count(b"\n") == text.count(b"\r\n"), f"{name}: lines do not end in CR LF")
        if "README.txt" in names:
            check(archive.read("README.txt").startswith(b"Quillmoors Tidyreel " + args.version.encode()),
                  "README.txt does not open with the product name and version")
        if "LICENSE" in names:
            check(archive.read("LICENSE").startswith(b"MIT License"), "LICENSE is not the MIT licence")


def run_packaged(args, work, package):
    unpacked = os.path.join(work, "unpacked")
    with zipfile.ZipFile(package) as archive:
        archive.extractall(unpacked)
    exe = os.path.join(unpacked, "tidyreel.exe")
    if not check(os.path.isfile(exe), "no tidyreel.exe after unpacking"):
        return
    # A 64-bit GUI program without MinGW runtime DLLs: it starts on a bare Windows.
    checked = subprocess.run([os.path.join(ROOT, "scripts", "check_exe.sh"), exe], stdout=subprocess.DEVNULL)
    check(checked.returncode == 0, "scripts/check_exe.sh rejects the packaged tidyreel.exe")

    episodes = os.path.join(work, "episodes")
    os.makedirs(episodes)
    for name in BEFORE:
        with open(os.path.join(episodes, name), "w") as f:
            f.write(name + "\n")

    run = subprocess.run([os.path.join(ROOT, "scripts", "wine-run.sh"), args.probe, "--exe=" + windows_path(exe),
                          windows_path(episodes)], capture_output=True, text=True, timeout=120)
    shown = run.stdout.replace("\r", "")
    print(shown, end="")
    check(run.returncode == 0, f"tidyreel_probe ended with {run.returncode}: {run.stderr}")
    summary = re.search(r"^\[Quillmoors Tidyreel\]\nFound: (\d+) files\nMoved: (\d+) files\nSkipped: (\d+) files\n"
                        r"Needed: +\d+\.\d{7} seconds\n  <OK>\n", shown, re.MULTILINE)
    if check(summary is not None, "no summary box in the probe's report"):
        counts = tuple(int(n) for n in summary.groups())
        check(counts == (4, 3, 1), f"summary says found/moved/skipped {counts}, expected (4, 3, 1)")
    check(shown.count("<OK>") == 1, f"{shown.count('<OK>')} message boxes shown, expected the summary alone")
    check(shown.rstrip().endswith("exit code 0"), "the packaged tidyreel.exe did not end with exit code 0")
    check(files_below(episodes) == AFTER, f"after the run the folder holds {files_below(episodes)}")
    # The settings file is written beside the program that ran: the packaged one, not the build's.
    check(os.path.isfile(os.path.join(unpacked, "tidyreel.ini")), "no tidyreel.ini beside the packaged exe")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--cpack", required=True)
    parser.add_argument("--probe", required=True)
    args = parser.parse_args()

    with tempfile.TemporaryDirectory(prefix="tidyreel-package.") as work:
        package = make_package(args, work)
        if os.path.isfile(package):
            check_contents(args, package)
            run_packaged(args, work, package)
    for failure in failures:
        print("FAIL:", failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
