#!/usr/bin/env python3
"""The benchmarks of docs/PERFORMANCE.md. Run through scripts/bench.sh, which builds the programs
and provides the Wine session (prefix and X display); this part runs them and prints one markdown
table of every figure beside its target.

- Rule throughput: build/bench/rule_bench (Google Benchmark) over the release-name corpus.
- Whole run: for each size N a folder of N empty files named like episode downloads is made once;
  every round sorts fresh copies with tidyreel.exe and with reference_mover.exe twice, once moving
  as the tool must (opened for itself, renamed through the handle) and once with MoveFileW, each
  going first in turn. All are timed by bench_driver.exe: the seconds their own message box
  reports ("Needed:", the work from the settings to the last move) and the seconds from the process
  start to the box. The figure is the median over the rounds of the ratio tidyreel/mover (the
  mover by handle), printed beside the ratio to the MoveFileW mover. With --baseline, another
  build's tidyreel.exe sorts one more copy in the same rounds, so that two builds are compared
  against the same yardsticks.
- Start-up: an empty folder sorted by tidyreel.exe against do_nothing.exe, which only shows a
  message box; seconds from the process start to the box.
- Profile: sort_profile.exe on one more copy: where the time of a run goes per step.
No figure is judged here: the targets are printed beside the figures.
"""
import argparse
import json
import os
import platform
import re
import shutil
import statistics
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WINE_RUN = os.path.join(ROOT, "scripts", "wine-run.sh")

RULE_TARGET = 1_000_000
RATIO_TARGET = 1.25
SCALING_TARGET = 1.3
STARTUP_TARGET = 1.5


def win(path):
    """The Wine path of a Linux path: drive Z: is the root."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def wine(program, *args):
    # Output into a file, not a pipe: the helper processes Wine starts on the way inherit the
    # output and outlive the program, so a pipe would never report its end.
    with tempfile.TemporaryFile("w+", encoding="utf-8") as out, tempfile.TemporaryFile("w+") as err:
        code = subprocess.run([WINE_RUN, program, *args], stdout=out, stderr=err).returncode
        out.seek(0)
        err.seek(0)
        text, errors = out.read(), err.read()
    if code != 0:
        sys.exit(f"{os.path.basename(program)} {' '.join(args)} failed:\n{text}{errors}")
    return text


class Bench:
    def __init__(self, windows_build, scratch, baseline=None):
        self.build = windows_build
        self.scratch = scratch
        self.driver = os.path.join(windows_build, "bench_driver.exe")
        # A copy of the tool, so that its settings file is made in the scratch folder.
        tool = os.path.join(scratch, "tool")
        os.makedirs(tool)
        self.tidyreel = os.path.join(tool, "tidyreel.exe")
        shutil.copy(os.path.join(windows_build, "tidyreel.exe"), self.tidyreel)
        # Another build of the tool (--baseline), timed in the same rounds, with a settings file of its own.
        self.baseline = None
        if baseline:
            os.makedirs(os.path.join(scratch, "baseline"))
            self.baseline = os.path.join(scratch, "baseline", "tidyreel.exe")
            shutil.copy(baseline, self.baseline)
        self.mover = os.path.join(windows_build, "reference_mover.exe")
        self.nothing = os.path.join(windows_build, "do_nothing.exe")

    def run(self, program, *args):
        """One timed start of a program that ends with a message box."""
        line = [line for line in wine(self.driver, "run", win(program), *args).splitlines() if "\t" in line][-1]
        to_box, to_end, needed, text = (line.split("\t") + [""])[:4]
        moved = re.search(r"Moved: (\d+)", text)
        return {
            "box": float(to_box),
            "end": float(to_end),
            "needed": None if needed == "-" else float(needed),
            "moved": int(moved.group(1)) if moved else None,
        }

    def make_template(self, count):
        folder = os.path.join(self.scratch, f"files-{count}")
        os.makedirs(folder)
        for name in wine(self.driver, "names", str(count)).splitlines():
            if name:
                open(os.path.join(folder, name), "x").close()
        plan = folder + ".plan"
        wine(self.driver, "plan", win(folder), win(plan))
        with open(plan, encoding="utf-8") as f:
            moves = sum(1 for _ in f)
        return folder, plan, moves

    def fresh_copy(self, template, name):
        copy = os.path.join(self.scratch, name)
        shutil.rmtree(copy, ignore_errors=True)
        subprocess.run(["cp", "-a", template, copy], check=True)
        return copy

    def warm_up(self):
        empty = os.path.join(self.scratch, "empty")
        os.makedirs(empty, exist_ok=True)
        plan = os.path.join(self.scratch, "empty.plan")
        open(plan, "w").close()
        self.run(self.tidyreel, win(empty))  # writes the settings file
        if self.baseline:
            self.run(self.baseline, win(empty))
        self.run(self.mover, win(empty), win(plan))
        self.run(self.mover, win(empty), win(plan), "movefile")
        self.run(self.nothing)
        return empty

    def whole_run(self, count, rounds):
        template, plan, moves = self.make_template(count)
        who_runs = ["tidyreel", "mover", "movefile"] + (["baseline"] if self.baseline else [])
        results = []
        for r in range(rounds):
            folders = {who: self.fresh_copy(template, f"sorted-by-{who}") for who in who_runs}
            # In turn first, so that none always runs on the warmer machine.
            order = who_runs[r % len(who_runs):] + who_runs[:r % len(who_runs)]
            round_result = {}
            for who in order:
                if who == "mover":
                    round_result[who] = self.run(self.mover, win(folders[who]), win(plan))
                elif who == "movefile":
                    round_result[who] = self.run(self.mover, win(folders[who]), win(plan), "movefile")
                else:
                    round_result[who] = self.run(getattr(self, who), win(folders[who]))
            # The baseline's rules may differ from this build's, so only this build answers to the plan.
            for who in ("tidyreel", "mover", "movefile"):
                if round_result[who]["moved"] != moves:
                    sys.exit(f"N={count}: {who} moved {round_result[who]['moved']} files, the plan has {moves}")
                if tree_of(folders[who]) != tree_of(folders["tidyreel"]):
                    sys.exit(f"N={count}: tidyreel.exe and {who} left different folders")
            results.append(round_result)
            for folder in folders.values():
                shutil.rmtree(folder)
        shutil.rmtree(template)
        return {"count": count, "moves": moves, "rounds": results}

    def startup(self, empty, rounds):
        results = []
        for r in range(rounds):
            tool = self.run(self.tidyreel, win(empty))
            nothing = self.run(self.nothing)
            results.append({"tidyreel": tool, "nothing": nothing} if r % 2 == 0 else
                           {"nothing": nothing, "tidyreel": tool})
        return results

    def profile(self, count):
        template, _, _ = self.make_template(count)
        copy = self.fresh_copy(template, "profiled")
        table = wine(os.path.join(self.build, "sort_profile.exe"), win(copy))
        shutil.rmtree(copy)
        shutil.rmtree(template)
        return table


def tree_of(root):
    entries = []
    for folder, dirs, files in os.walk(root):
        rel = os.path.relpath(folder, root)
        entries += [os.path.join(rel, d) + "/" for d in dirs] + [os.path.join(rel, f) for f in files]
    return sorted(entries)


def rule_throughput(bench_build, names, min_time):
    out = subprocess.run(
        [os.path.join(bench_build, "rule_bench"), f"--names={names}", f"--benchmark_min_time={min_time}",
         "--benchmark_format=json", "--benchmark_repetitions=3", "--benchmark_report_aggregates_only=true"],
        capture_output=True, text=True, check=True).stdout
    rates = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            rates[b["run_name"]] = b["items_per_second"]
    return rates


def median(values):
    return statistics.median(values) if values else float("nan")


def fmt_count(n):
    return f"{n:,}"


def rounds_text(n):
    return f"{n} round" if n == 1 else f"{n} rounds"


def yes_no(ok):
    return "yes" if ok else "**no**"


def machine():
    cpu = "?"
    try:
        with open("/proc/cpuinfo") as f:
            cpu = next(line.split(":", 1)[1].strip() for line in f if line.startswith("model name"))
    except (OSError, StopIteration):
        pass
    wine_version = subprocess.run(["wine", "--version"], capture_output=True, text=True).stdout.strip()
    load = os.getloadavg()
    return (f"{os.cpu_count()} CPUs (nproc), {cpu}, {platform.system()} {platform.release()}, "
            f"{wine_version or 'Wine ?'}; load average at the start {load[0]:.2f}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--windows-build", default=os.path.join(ROOT, "build", "windows"))
    parser.add_argument("--bench-build", default=os.path.join(ROOT, "build", "bench"),
                        help="the rule benchmark's build; 'none' to leave it out")
    parser.add_argument("--sizes", default="1000,10000,100000")
    parser.add_argument("--rounds", default="7,5,3", help="rounds per size, in the order of --sizes")
    parser.add_argument("--startup-rounds", type=int, default=15)
    parser.add_argument("--profile-size", type=int, default=10000, help="0 for no profile")
    parser.add_argument("--rule-names", type=int, default=10000)
    parser.add_argument("--rule-min-time", default="1")
    parser.add_argument("--baseline", help="another build's tidyreel.exe, timed in the same rounds")
    args = parser.parse_args()

    sizes = [int(s) for s in args.sizes.split(",")]
    rounds = [int(r) for r in args.rounds.split(",")]
    rounds += [rounds[-1]] * (len(sizes) - len(rounds))

    print(f"Machine: {machine()}", file=sys.stderr)
    rates = {}
    if args.bench_build != "none":
        print("== rule throughput", file=sys.stderr)
        rates = rule_throughput(args.bench_build, args.rule_names, args.rule_min_time)

    with tempfile.TemporaryDirectory(prefix="tidyreel-bench.") as scratch:
        bench = Bench(args.windows_build, scratch, args.baseline)
        empty = bench.warm_up()
        runs = []
        for count, n_rounds in zip(sizes, rounds):
            print(f"== whole run, N = {count}, {rounds_text(n_rounds)}", file=sys.stderr)
            runs.append(bench.whole_run(count, n_rounds))
        print(f"== start-up, {rounds_text(args.startup_rounds)}", file=sys.stderr)
        starts = bench.startup(empty, args.startup_rounds)
        profile = ""
        if args.profile_size > 0:
            print(f"== profile, N = {args.profile_size}", file=sys.stderr)
            profile = bench.profile(args.profile_size)

    rows = []
    rule = rates.get("DeriveTargetFolder")
    if rule is not None:
        rows.append((f"Rule throughput: `DeriveTargetFolder`, {fmt_count(args.rule_names)} names, 12 default patterns, one core",
                     f">= {fmt_count(RULE_TARGET)} names/s", f"{rule:,.0f} names/s", yes_no(rule >= RULE_TARGET)))
        for name, label in (("DeriveTargetFolderUnprepared", "the same, patterns prepared for every name"),):
            if name in rates:
                rows.append((f"  {label}", "-", f"{rates[name]:,.0f} names/s ({rule / rates[name]:.1f}x slower)", ""))

    per_file = {}
    for run in runs:
        count, rs = run["count"], run["rounds"]
        needed = [r["tidyreel"]["needed"] / r["mover"]["needed"] for r in rs]
        boxed = [r["tidyreel"]["box"] / r["mover"]["box"] for r in rs]
        t_needed = median([r["tidyreel"]["needed"] for r in rs])
        m_needed = median([r["mover"]["needed"] for r in rs])
        per_file[count] = (t_needed / count, m_needed / count)
        rows.append((f"Whole run, N = {fmt_count(count)} ({run['moves']:,} moves, {rounds_text(len(rs))}): tidyreel / mover, "
                     f"time the box reports", f"<= {RATIO_TARGET}",
                     f"{median(needed):.2f} ({t_needed:.3f} s / {m_needed:.3f} s)", yes_no(median(needed) <= RATIO_TARGET)))
        rows.append((f"  the same, process start to box", f"<= {RATIO_TARGET}",
                     f"{median(boxed):.2f} ({median([r['tidyreel']['box'] for r in rs]):.3f} s / "
                     f"{median([r['mover']['box'] for r in rs]):.3f} s)", yes_no(median(boxed) <= RATIO_TARGET)))
        f_needed = median([r["movefile"]["needed"] for r in rs])
        by_movefile = median([r["tidyreel"]["needed"] / r["movefile"]["needed"] for r in rs])
        rows.append((f"  tidyreel / MoveFileW mover, time the box reports", "-",
                     f"{by_movefile:.2f} ({t_needed:.3f} s / {f_needed:.3f} s)", ""))
        if args.baseline:
            base = median([r["baseline"]["needed"] / r["mover"]["needed"] for r in rs])
            base_movefile = median([r["baseline"]["needed"] / r["movefile"]["needed"] for r in rs])
            rows.append((f"  the baseline build / mover, time the box reports, same rounds", "-",
                         f"{base:.2f} ({median([r['baseline']['needed'] for r in rs]):.3f} s / {m_needed:.3f} s)", ""))
            rows.append((f"  the baseline build / MoveFileW mover, same rounds", "-", f"{base_movefile:.2f}", ""))
    if len(sizes) > 1:
        small, large = min(per_file), max(per_file)
        tool = per_file[large][0] / per_file[small][0]
        mover = per_file[large][1] / per_file[small][1]
        rows.append((f"Per-file time at N = {fmt_count(large)} / at N = {fmt_count(small)}, tidyreel",
                     f"<= {SCALING_TARGET}",
                     f"{tool:.2f} ({per_file[large][0] * 1e6:.0f} us / {per_file[small][0] * 1e6:.0f} us)",
                     yes_no(tool <= SCALING_TARGET)))
        rows.append((f"  the same for the reference mover", "-",
                     f"{mover:.2f} ({per_file[large][1] * 1e6:.0f} us / {per_file[small][1] * 1e6:.0f} us)", ""))

    startup = median([s["tidyreel"]["box"] / s["nothing"]["box"] for s in starts])
    rows.append((f"Start-up, empty folder ({rounds_text(len(starts))}): tidyreel to its summary box / do-nothing program to its box",
                 f"<= {STARTUP_TARGET}",
                 f"{startup:.2f} ({median([s['tidyreel']['box'] for s in starts]) * 1000:.0f} ms / "
                 f"{median([s['nothing']['box'] for s in starts]) * 1000:.0f} ms)", yes_no(startup <= STARTUP_TARGET)))

    print(f"Machine: {machine().rsplit(';', 1)[0]}; load average at the end {os.getloadavg()[0]:.2f}\n")
    print("| Figure | Target | Measured | Met |")
    print("|---|---|---|---|")
    for row in rows:
        print("| " + " | ".join(row) + " |")
    if profile:
        print(f"\nWhere the time goes, one run of N = {fmt_count(args.profile_size)} (sort_profile.exe):\n")
        print(profile.strip())


if __name__ == "__main__":
    main()
