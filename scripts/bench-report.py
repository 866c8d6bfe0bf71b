#!/usr/bin/env python3
"""Writes the benchmark report: each figure an issue set a target for, beside
that target and the baseline measured in the same run, then every other figure.

  bench-report.py --json-dir build/bench --targets bench/targets.json \
                  --out build/bench-report.md [--note TEXT]

Reads <program>.json, as Google Benchmark writes it with --benchmark_out.
Exit status: 0 when the report is written (missed targets included), 1 when
a benchmark reported an error or a program left no readable results, 2 when
the targets or the arguments are wrong.
"""

import argparse
import json
import re
import statistics
import sys
from pathlib import Path

TIME_UNITS = {"ns": 1e-9, "us": 1e-6, "µs": 1e-6, "ms": 1e-3, "s": 1.0}
TIME_FIGURES = ("real_time", "cpu_time")
# Google Benchmark's fitted complexities, from best to worst.
COMPLEXITIES = ["(1)", "lgN", "N", "NlgN", "N^2", "N^3"]

TARGET_RE = re.compile(
    r"^(<=|>=|<|>|==)\s*([-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?)\s*(ns|us|µs|ms|s|x baseline)?$"
)


class TargetError(Exception):
    pass


def parse_target(text):
    """'< 16 ms' -> ('<', 0.016, 'time'); '>= 0.9 x baseline' -> ('>=', 0.9, 'ratio');
    '< 3' -> ('<', 3.0, 'value'); 'O(N)' -> ('O', 'N', 'big_o')."""
    text = text.strip()
    m = re.fullmatch(r"O\((.+)\)", text)
    if m:
        order = "(1)" if m.group(1) == "1" else m.group(1)
        if order not in COMPLEXITIES:
            raise TargetError(f"unknown complexity in '{text}'")
        return ("O", order, "big_o")
    m = TARGET_RE.match(text)
    if not m:
        raise TargetError(f"cannot read the target '{text}'")
    op, number, unit = m.group(1), float(m.group(2)), m.group(3)
    if unit == "x baseline":
        return (op, number, "ratio")
    if unit:
        return (op, number * TIME_UNITS[unit], "time")
    return (op, number, "value")


def load_targets(path):
    try:
        data = json.loads(Path(path).read_text(encoding="utf-8"))
    except (OSError, ValueError) as e:
        raise TargetError(f"{path}: {e}")
    entries = data.get("targets") if isinstance(data, dict) else None
    if not isinstance(entries, list):
        raise TargetError(f"{path}: no list of targets")
    targets = []
    for i, t in enumerate(entries, 1):
        where = f"{path}: target {i} ({t.get('what', '?')})" if isinstance(t, dict) else f"{path}: target {i}"
        if not isinstance(t, dict) or "issue" not in t or "what" not in t:
            raise TargetError(f"{where}: needs an issue and a what")
        if "program" not in t:
            targets.append(dict(t, measured=False))
            continue
        for key in ("benchmark", "figure", "target"):
            if key not in t:
                raise TargetError(f"{where}: needs a {key}")
        try:
            pattern = re.compile(t["benchmark"])
            base = t.get("baseline")
            base_pattern = re.compile(base["benchmark"]) if base and "benchmark" in base else pattern
        except re.error as e:
            raise TargetError(f"{where}: bad regex: {e}")
        try:
            kind = parse_target(t["target"])
        except TargetError as e:
            raise TargetError(f"{where}: {e}")
        if base is not None and (not isinstance(base, dict) or "figure" not in base):
            raise TargetError(f"{where}: a baseline needs a figure")
        if kind[2] == "ratio" and base is None:
            raise TargetError(f"{where}: '{t['target']}' needs a baseline")
        if (kind[2] == "big_o") != (t["figure"] == "big_o"):
            raise TargetError(f"{where}: only the big_o figure takes an O() target")
        if kind[2] in ("time", "value") and (kind[2] == "time") != (t["figure"] in TIME_FIGURES):
            raise TargetError(f"{where}: a time takes a target in ns, us, ms or s, a counter none")
        targets.append(dict(t, measured=True, pattern=pattern, kind=kind,
                            base_pattern=base_pattern if base else None))
    return targets


def load_results(json_dir):
    """{program: list of runs} for every readable file; {program: why} for the others."""
    results, unreadable = {}, {}
    for path in sorted(Path(json_dir).glob("*.json")):
        try:
            text = path.read_text(encoding="utf-8")
            data = json.loads(text) if text.strip() else {"benchmarks": []}
            runs = data["benchmarks"]
            if not isinstance(runs, list):
                raise ValueError("no list of benchmarks")
        except (OSError, ValueError, KeyError, TypeError) as e:
            unreadable[path.stem] = f"{path.name} is not a benchmark report ({e})"
            continue
        results[path.stem] = {"runs": runs, "context": data.get("context", {})}
    return results, unreadable


def run_name(run):
    return run.get("run_name", run.get("name", ""))


class Missing(Exception):
    """Why a figure has no value."""


def seconds(run, figure):
    return float(run[figure]) * TIME_UNITS.get(run.get("time_unit", "ns"), 1e-9)


def figure_value(runs, pattern, figure):
    """The figure of the one benchmark the pattern names: a median over its
    repetitions, in seconds for times. Returns (value, run name)."""
    if figure == "big_o":
        families = {r.get("family_index") for r in runs
                    if r.get("run_type", "iteration") == "iteration" and pattern.search(run_name(r))}
        if not families:
            raise Missing("no result")
        if len(families) > 1:
            raise Missing("names several families")
        fits = [r for r in runs if r.get("aggregate_name") == "BigO"
                and r.get("family_index") in families]
        if not fits:
            raise Missing("no complexity fitted")
        sized = next(run_name(r) for r in runs if r.get("family_index") in families)
        family = "/".join(p for p in sized.split("/") if not re.fullmatch(r"\d+|\w+:.*", p))
        return fits[0]["big_o"], family
    matched = [r for r in runs if pattern.search(run_name(r))
               and r.get("aggregate_name") not in ("BigO", "RMS")]
    names = sorted({run_name(r) for r in matched})
    if not names:
        raise Missing("no result")
    if len(names) > 1:
        raise Missing("names several benchmarks: " + ", ".join(names))
    failed = [r for r in matched if r.get("error_occurred")]
    if failed:
        raise Missing("failed: " + failed[0].get("error_message", "error"))
    medians = [r for r in matched if r.get("aggregate_name") == "median"]
    chosen = medians or [r for r in matched if r.get("run_type", "iteration") == "iteration"]
    if not chosen or figure not in chosen[0]:
        raise Missing(f"no figure '{figure}'")
    if figure in TIME_FIGURES:
        return statistics.median(seconds(r, figure) for r in chosen), names[0]
    return statistics.median(float(r[figure]) for r in chosen), names[0]


def compare(op, value, limit):
    return {"<": value < limit, "<=": value <= limit, ">": value > limit,
            ">=": value >= limit, "==": value == limit}[op]


def number(v):
    if v == 0 or abs(v) >= 1000:
        return f"{v:.0f}"
    if abs(v) >= 100:
        return f"{v:.1f}".rstrip("0").rstrip(".")
    return f"{v:.3g}"


def duration(s):
    for unit, scale in (("s", 1.0), ("ms", 1e-3), ("µs", 1e-6)):
        if abs(s) >= scale:
            return f"{number(s / scale)} {unit}"
    return f"{number(s / 1e-9)} ns"


def shown(value, figure):
    if figure == "big_o":
        return f"O({value})" if value != "(1)" else "O(1)"
    return duration(value) if figure in TIME_FIGURES else number(value)


def judge(target, results):
    """One row of the first table."""
    row = {"issue": str(target["issue"]), "what": target["what"], "benchmark": "", "figure": "",
           "value": "", "target": target.get("target", ""), "baseline": "", "ratio": "", "status": ""}
    if not target["measured"]:
        row["status"] = "no benchmark"
        return row
    figure = target["figure"]
    row["figure"] = figure
    row["benchmark"] = f"{target['program']}: {target['benchmark']}"
    program = results.get(target["program"])
    if program is None:
        row["status"] = "not run"
        return row
    runs = program["runs"]
    try:
        value, name = figure_value(runs, target["pattern"], figure)
    except Missing as e:
        row["status"] = str(e)
        return row
    row["benchmark"] = f"{target['program']}: {name}"
    row["value"] = shown(value, figure)
    op, limit, kind = target["kind"]
    ratio = None
    base = target.get("baseline")
    if base:
        try:
            base_value, base_name = figure_value(runs, target["base_pattern"], base["figure"])
            label = base["figure"] if base_name == name else f"{base_name} {base['figure']}"
            row["baseline"] = f"{shown(base_value, base['figure'])} ({label})"
            if base_value:
                ratio = value / base_value
                row["ratio"] = f"{ratio:.2f}x"
        except Missing as e:
            row["baseline"] = f"({e})"
    if kind == "big_o":
        met = COMPLEXITIES.index(value) <= COMPLEXITIES.index(limit) if value in COMPLEXITIES else None
    elif kind == "ratio":
        met = compare(op, ratio, limit) if ratio is not None else None
    else:
        met = compare(op, value, limit)
    row["status"] = "met" if met else "**NOT met**" if met is not None else "no baseline"
    row["met"] = met
    return row


def used_runs(targets, results):
    """What the first table already shows, by program: run names, and the
    families whose complexity fit it shows (their sizes stay for reference)."""
    names, families = {}, {}
    for t in targets:
        if not t["measured"] or t["program"] not in results:
            continue
        runs = results[t["program"]]["runs"]
        for pattern, figure in ((t["pattern"], t["figure"]),
                                (t.get("base_pattern"), t.get("baseline", {}).get("figure"))):
            if pattern is None:
                continue
            for r in runs:
                if pattern.search(run_name(r)):
                    if figure == "big_o":
                        families.setdefault(t["program"], set()).add(r.get("family_index"))
                    else:
                        names.setdefault(t["program"], set()).add(run_name(r))
    return names, families


def other_rows(targets, results):
    used, fitted = used_runs(targets, results)
    rows = []
    for program, data in sorted(results.items()):
        seen, seen_fits = used.get(program, set()), fitted.get(program, set())
        by_name = {}
        for r in data["runs"]:
            if r.get("aggregate_name") in ("mean", "stddev", "cv", "RMS"):
                continue
            if r.get("aggregate_name") == "BigO":
                # Fits of several families can share a name: keep them apart.
                if r.get("family_index") not in seen_fits:
                    by_name[(run_name(r), r.get("family_index"))] = [r]
                continue
            by_name.setdefault(run_name(r), []).append(r)
        for key, runs in by_name.items():
            name = key[0] if isinstance(key, tuple) else key
            if name in seen:
                continue
            first = runs[0]
            if first.get("error_occurred"):
                rows.append((program, name, "", "", "failed: " + first.get("error_message", "")))
                continue
            if first.get("aggregate_name") == "BigO":
                coefficient = float(first["real_coefficient"]) * TIME_UNITS.get(first.get("time_unit"), 1e-9)
                rows.append((program, name, f"O({first['big_o']})".replace("O((1))", "O(1)"),
                             "", f"{duration(coefficient)} x N-term"))
                continue
            medians = [r for r in runs if r.get("aggregate_name") == "median"] or runs
            real = statistics.median(seconds(r, "real_time") for r in medians)
            cpu = statistics.median(seconds(r, "cpu_time") for r in medians)
            counters = [k for k in first if k not in KNOWN_KEYS]
            text = ", ".join(f"{k} {number(statistics.median(float(r[k]) for r in medians))}"
                             for k in counters if isinstance(first[k], (int, float)))
            rows.append((program, name, duration(real), duration(cpu), text))
    return rows


KNOWN_KEYS = {"name", "family_index", "per_family_instance_index", "run_name", "run_type",
              "repetitions", "repetition_index", "threads", "aggregate_name", "aggregate_unit",
              "iterations", "real_time", "cpu_time", "time_unit", "error_occurred",
              "error_message", "bytes_per_second", "items_per_second", "label", "big_o",
              "real_coefficient", "cpu_coefficient", "rms"}


def cell(text):
    return str(text).replace("|", "\\|").replace("\n", " ")


def table(header, rows):
    lines = ["| " + " | ".join(header) + " |", "|" + "---|" * len(header)]
    lines += ["| " + " | ".join(cell(c) for c in r) + " |" for r in rows]
    return "\n".join(lines)


def write_report(targets, results, unreadable, note="", filtered=False):
    rows = [judge(t, results) for t in targets]
    if filtered:
        for r in rows:
            if r["status"] in ("no result", "not run"):
                r["status"] = "filtered out"
    out = ["# Benchmark report", ""]
    context = next((d["context"] for d in results.values() if d["context"]), {})
    if context:
        load = context.get("load_avg")
        out.append(f"Run {context.get('date', '?')} on {context.get('host_name', '?')} "
                   f"({context.get('num_cpus', '?')} CPUs"
                   + (f", load {' '.join(f'{x:.1f}' for x in load)}" if load else "") + ")."
                   + (f" {note}" if note else ""))
        out.append("")
    elif note:
        out += [note, ""]
    met = [r for r in rows if r.get("met") is True]
    missed = [r for r in rows if r.get("met") is False]
    measured = [r for r in rows if r["status"] != "no benchmark"]
    unmeasured = len(rows) - len(measured)
    out.append(f"{len(met)} of {len(measured)} figures meet their target; "
               f"{len(missed)} do not; {len(measured) - len(met) - len(missed)} have no result; "
               f"{unmeasured} {'target has' if unmeasured == 1 else 'targets have'} no benchmark.")
    for program, why in sorted(unreadable.items()):
        out.append(f"\n{program}: {why}.")
    out += ["", "## Targets", "",
            "Times are medians over the repetitions; the baseline is measured in the same run.", ""]
    out.append(table(["issue", "what", "benchmark", "figure", "value", "target", "baseline",
                      "ratio", "status"],
                     [[r[k] for k in ("issue", "what", "benchmark", "figure", "value", "target",
                                      "baseline", "ratio", "status")] for r in rows]))
    out += ["", "## Every other benchmark", ""]
    out.append(table(["program", "benchmark", "real time", "CPU time", "counters"],
                     other_rows(targets, results)))
    out.append("")
    return "\n".join(out), rows


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--json-dir", required=True)
    parser.add_argument("--targets", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--note", default="")
    parser.add_argument("--filtered", action="store_true",
                        help="only some benchmarks ran: a missing result is not a fault")
    args = parser.parse_args(argv)
    try:
        targets = load_targets(args.targets)
    except TargetError as e:
        print(f"bench-report: {e}", file=sys.stderr)
        return 2
    results, unreadable = load_results(args.json_dir)
    text, rows = write_report(targets, results, unreadable, args.note, args.filtered)
    Path(args.out).write_text(text, encoding="utf-8")
    failed = [r for r in rows if r["status"].startswith("failed")]
    failed += [r for p in results.values() for r in p["runs"] if r.get("error_occurred")]
    missed = sum(1 for r in rows if r.get("met") is False)
    print(f"bench-report: {args.out}: {sum(1 for r in rows if r.get('met'))} targets met, "
          f"{missed} not met")
    for program, why in sorted(unreadable.items()):
        print(f"bench-report: {program}: {why}", file=sys.stderr)
    return 1 if failed or unreadable else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
