#!/usr/bin/env python3
"""Mutation sweep: how many plausible faults of the product code the test suite catches.

Clones the repository at a revision into a scratch folder, builds the presets `native` and
`windows` once, and checks that their tests pass. Then, for each mutant of scripts/mutants.txt
(a single-point change of one product file), it applies the change, rebuilds incrementally, runs
the native tests and, when they pass, the Wine tests, exactly as the test command runs them
(`ctest --preset native`, `ctest --preset windows`), and restores the file. A mutant is killed
when a test fails, and survives when every test passes. The benchmarks' smoke runs, which the
test command also starts (`*bench_runs`), are no tests of the product and are left out.

    scripts/mutate.py                          the working tree's HEAD
    scripts/mutate.py --rev 63dd4db            another revision's suite, same mutants
    scripts/mutate.py --only api-rounding,...  some mutants only (--update --out: into earlier results)
    scripts/mutate.py --compare old.json new.json
                                               mutants one sweep killed and the other did not

Prints one line per mutant and a summary; --out writes the results as JSON. Needs what
`./build.sh test` installs; runs in its own Wine prefix and X display.
"""

import argparse
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def read_mutants(path):
    """The mutant blocks of the list: id, file, description, original, replacement."""
    mutants = []
    current = None
    with open(path, encoding="utf-8") as source:
        for number, line in enumerate(source, 1):
            line = line.rstrip("\n")
            if line.startswith("#") or (not line.strip() and current is None):
                continue
            if line.startswith("== "):
                ident, file = line[3:].split()
                current = {"id": ident, "file": file, "what": "", "old": [], "new": []}
                mutants.append(current)
            elif current is None:
                sys.exit(f"{path}:{number}: text outside a mutant block")
            elif line.startswith("- "):
                current["old"].append(line[2:])
            elif line.startswith("+ "):
                current["new"].append(line[2:])
            elif line.strip() and not current["what"]:
                current["what"] = line.strip()
            elif line.strip():
                sys.exit(f"{path}:{number}: unexpected line in {current['id']}")
    ids = [m["id"] for m in mutants]
    if len(ids) != len(set(ids)):
        sys.exit(f"{path}: mutant ids repeat")
    for m in mutants:
        m["old"] = "\n".join(m["old"])
        m["new"] = "\n".join(m["new"])
    return mutants


def run(command, cwd, log, timeout=None, env=None):
    """Runs a command, appending its output to log; True when it exits with 0."""
    with open(log, "a", encoding="utf-8") as out:
        out.write(f"\n$ {' '.join(command)}\n")
        out.flush()
        try:
            return subprocess.run(command, cwd=cwd, stdout=out, stderr=subprocess.STDOUT, timeout=timeout,
                                  env=env).returncode == 0
        except subprocess.TimeoutExpired:
            out.write("(timed out)\n")
            return False


class Sweep:
    def __init__(self, tree, log_dir, ctest_timeout):
        self.tree = tree
        self.log_dir = log_dir
        self.ctest_timeout = ctest_timeout

    def build(self, log):
        return all(run(["cmake", "--build", "--preset", preset], self.tree, log) for preset in ("native", "windows"))

    def test(self, log):
        """'' when every test passed, else where the suite failed first."""
        for preset in ("native", "windows"):
            open(log, "a").close()
            mark = os.path.getsize(log)
            ok = run(["ctest", "--preset", preset, "--stop-on-failure", "--timeout", str(self.ctest_timeout),
                      "--exclude-regex", "bench_runs"], self.tree, log)
            if not ok:
                with open(log, encoding="utf-8", errors="replace") as text:
                    text.seek(mark)
                    tail = text.read()
                found = re.search(r"\d+ - (.+?) \((?:Failed|Timeout|SEGFAULT|Subprocess aborted|Exception)", tail)
                return f"{preset}: {found.group(1) if found else 'ctest failed'}"
        return ""

    def try_mutant(self, mutant):
        path = os.path.join(self.tree, mutant["file"])
        with open(path, encoding="utf-8") as source:
            original = source.read()
        if original.count(mutant["old"]) != 1:
            return {"status": "invalid", "where": "original text not found exactly once", "seconds": 0}
        log = os.path.join(self.log_dir, mutant["id"] + ".log")
        start = time.monotonic()
        try:
            with open(path, "w", encoding="utf-8") as target:
                target.write(original.replace(mutant["old"], mutant["new"], 1))
            if not run(["cmake", "--build", "--preset", "native"], self.tree, log):
                # The product itself no longer compiles: not a fault a test could show.
                status, where = "invalid", "the product does not compile"
            elif not run(["cmake", "--build", "--preset", "windows"], self.tree, log):
                status, where = "invalid", "the Windows build fails"
            else:
                where = self.test(log)
                status = "killed" if where else "survived"
        finally:
            with open(path, "w", encoding="utf-8") as target:
                target.write(original)
        return {"status": status, "where": where, "seconds": round(time.monotonic() - start, 1)}


def compare(old_path, new_path):
    with open(old_path) as a, open(new_path) as b:
        old, new = json.load(a), json.load(b)
    for name, results in (("old", old), ("new", new)):
        counts = {}
        for r in results["mutants"].values():
            counts[r["status"]] = counts.get(r["status"], 0) + 1
        print(f"{name}: {results['rev']}: {counts}")
    lost = [i for i, r in old["mutants"].items()
            if r["status"] == "killed" and new["mutants"].get(i, {}).get("status") != "killed"]
    gained = [i for i, r in new["mutants"].items()
              if r["status"] == "killed" and old["mutants"].get(i, {}).get("status") != "killed"]
    print("killed by old only:", ", ".join(lost) or "none")
    print("killed by new only:", ", ".join(gained) or "none")
    return 1 if lost else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--rev", default="HEAD", help="revision whose suite is swept (default HEAD)")
    parser.add_argument("--mutants", default=os.path.join(ROOT, "scripts", "mutants.txt"))
    parser.add_argument("--only", help="comma-separated mutant ids")
    parser.add_argument("--work", help="scratch folder (default: a new temporary one, removed afterwards)")
    parser.add_argument("--out", help="write the results as JSON here")
    parser.add_argument("--update", action="store_true",
                        help="with --out: keep the results already there and replace those of the mutants run")
    parser.add_argument("--ctest-timeout", type=int, default=300, help="seconds per ctest entry")
    parser.add_argument("--compare", nargs=2, metavar=("OLD", "NEW"))
    args = parser.parse_args()
    if args.compare:
        return compare(*args.compare)

    # Windows and message boxes need a display; the whole sweep shares one, and one Wine prefix.
    if not os.environ.get("DISPLAY"):
        os.execvp("xvfb-run", ["xvfb-run", "-a", "-s", "-screen 0 1024x768x24", sys.executable] + sys.argv)

    mutants = read_mutants(args.mutants)
    if args.only:
        wanted = set(args.only.split(","))
        mutants = [m for m in mutants if m["id"] in wanted]
    rev = subprocess.run(["git", "rev-parse", "--short", args.rev], cwd=ROOT, capture_output=True, text=True,
                         check=True).stdout.strip()

    work = args.work or tempfile.mkdtemp(prefix="tidyreel-mutate.")
    tree = os.path.join(work, "tree")
    logs = os.path.join(work, "logs")
    os.makedirs(logs, exist_ok=True)
    prefix = os.path.join(work, "wineprefix")
    os.environ["TIDYREEL_WINEPREFIX"] = prefix
    if not os.path.isdir(tree):
        subprocess.run(["git", "clone", "-q", "--no-checkout", ROOT, tree], check=True)
    # A sweep stopped halfway may have left a mutant in place.
    subprocess.run(["git", "checkout", "-q", "--force", rev], cwd=tree, check=True)
    # Stopped from outside, the sweep still restores the file it mutated.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    for preset in ("native", "windows"):
        subprocess.run(["cmake", "--preset", preset], cwd=tree, check=True, stdout=subprocess.DEVNULL)

    sweep = Sweep(tree, logs, args.ctest_timeout)
    print(f"mutate: suite of {rev}, {len(mutants)} mutants, scratch {work}", flush=True)
    start = time.monotonic()
    base_log = os.path.join(logs, "baseline.log")
    if not sweep.build(base_log) or sweep.test(base_log):
        print(f"mutate: the unmutated suite fails (see {base_log})", file=sys.stderr)
        return 2
    print(f"baseline: built and passed in {time.monotonic() - start:.0f} s", flush=True)

    results = {}
    for mutant in mutants:
        result = sweep.try_mutant(mutant)
        results[mutant["id"]] = dict(result, file=mutant["file"], what=mutant["what"])
        print(f"{result['status']:<9} {mutant['id']:<32} {result['seconds']:>6.0f} s  {result['where']}", flush=True)
    # The tree is left as it was cloned; rebuild it so that a later sweep starts from there.
    sweep.build(os.path.join(logs, "final.log"))

    counts = {}
    for r in results.values():
        counts[r["status"]] = counts.get(r["status"], 0) + 1
    elapsed = time.monotonic() - start
    print(f"mutate: {rev}: killed {counts.get('killed', 0)}, survived {counts.get('survived', 0)}, "
          f"invalid {counts.get('invalid', 0)} of {len(mutants)} in {elapsed / 60:.0f} min")
    survivors = [i for i, r in results.items() if r["status"] == "survived"]
    if survivors:
        print("survived:", ", ".join(survivors))
    if args.out:
        sweep_results = {"rev": rev, "minutes": round(elapsed / 60, 1), "mutants": results}
        if args.update and os.path.exists(args.out):
            with open(args.out) as previous:
                sweep_results = json.load(previous)
            sweep_results["mutants"].update(results)
        with open(args.out, "w") as out:
            json.dump(sweep_results, out, indent=1)
    subprocess.run(["wineserver", "-k"], env=dict(os.environ, WINEPREFIX=prefix), stderr=subprocess.DEVNULL)
    if not args.work:
        shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
