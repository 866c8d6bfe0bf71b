#!/usr/bin/env python3
"""The benchmark report on hand-made Google Benchmark output, and the
targets kept in bench/targets.json checked against the bench sources."""

import re
import runpy
import subprocess
import sys
import tempfile
import types
import unittest
from pathlib import Path

HERE = Path(__file__).resolve().parent
TOP = HERE.parent.parent
SCRIPT = TOP / "scripts" / "bench-report.py"

bench_report = types.SimpleNamespace(**runpy.run_path(str(SCRIPT)))


def run_report(case, targets=None, extra=()):
    with tempfile.TemporaryDirectory() as tmp:
        out = Path(tmp) / "report.md"
        done = subprocess.run(
            [sys.executable, str(SCRIPT), "--json-dir", str(HERE / case), "--targets",
             str(targets or HERE / f"{case}-targets.json"), "--out", str(out), "--note", "Test run.",
             *extra], capture_output=True, text=True)
        return done, out.read_text(encoding="utf-8") if out.exists() else ""


def section(report, title):
    part = report.split(f"## {title}\n", 1)[1]
    return part.split("\n## ", 1)[0]


def rows_of(table_text):
    rows = []
    for line in table_text.splitlines():
        if line.startswith("| ") and not line.startswith("| issue") and not line.startswith("| program"):
            rows.append([c.strip() for c in line.strip("|").split(" | ")])
    return rows


class TargetsTable(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.done, cls.report = run_report("run")
        cls.rows = {r[1]: r for r in rows_of(section(cls.report, "Targets"))}

    def status(self, what):
        return self.rows[what][8]

    def test_written_with_exit_0_though_targets_are_missed(self):
        self.assertEqual(self.done.returncode, 0, self.done.stderr)
        self.assertIn("**NOT met**", self.report)

    def test_one_row_per_target_in_the_order_kept(self):
        whats = [r[1] for r in rows_of(section(self.report, "Targets"))]
        self.assertEqual(len(whats), 12)
        self.assertEqual(whats[0], "fast enough by its median")
        self.assertEqual(whats[-1], "a target nothing measures")

    def test_a_time_is_the_median_of_the_repetitions(self):
        # The mean (19 ms) and one slow repetition (50 ms) would miss the target.
        row = self.rows["fast enough by its median"]
        self.assertEqual(row[2], "bench_fake: BM_Fast/real_time")
        self.assertEqual(row[4], "4 ms")
        self.assertEqual(self.status("fast enough by its median"), "met")

    def test_a_time_in_another_unit_is_compared_in_seconds(self):
        row = self.rows["too slow, in microseconds"]
        self.assertEqual(row[4], "20 ms")
        self.assertEqual(self.status("too slow, in microseconds"), "**NOT met**")

    def test_a_share_of_the_baseline_is_judged_on_the_ratio(self):
        strict = self.rows["import against a stricter share of the parse"]
        self.assertEqual(strict[4], "80")
        self.assertEqual(strict[6], "100 (parse_MBps)")
        self.assertEqual(strict[7], "0.80x")
        self.assertEqual(strict[8], "**NOT met**")
        self.assertEqual(self.status("import against a looser share of the parse"), "met")

    def test_a_value_target_shows_its_baseline_from_another_benchmark(self):
        row = self.rows["memory, the plain parse beside"]
        self.assertEqual(row[4], "1.2")
        self.assertEqual(row[6], "1 (BM_Memory/plain_parse/iterations:1 mem_x_file)")
        self.assertEqual(row[7], "1.20x")
        self.assertEqual(row[8], "met")

    def test_complexity_is_taken_from_the_named_family_only(self):
        # Both fits are called BM_Family_BigO; the family's runs tell them apart.
        self.assertEqual(self.rows["linear family"][4], "O(N)")
        self.assertEqual(self.status("linear family"), "met")
        self.assertEqual(self.rows["quadratic family"][2], "bench_fake: BM_Family/squared")
        self.assertEqual(self.rows["quadratic family"][4], "O(N^2)")
        self.assertEqual(self.status("quadratic family"), "**NOT met**")

    def test_what_cannot_be_judged_says_why(self):
        self.assertEqual(self.status("a benchmark that is gone"), "no result")
        self.assertEqual(self.status("a counter the benchmark does not have"),
                         "no figure 'no_such_counter'")
        self.assertTrue(self.status("a pattern naming two benchmarks")
                        .startswith("names several benchmarks: BM_Memory/import"))
        self.assertEqual(self.status("a program that did not run"), "not run")
        self.assertEqual(self.status("a target nothing measures"), "no benchmark")

    def test_the_summary_counts_the_rows(self):
        self.assertIn("4 of 11 figures meet their target; 3 do not; 4 have no result; "
                      "1 target has no benchmark.", self.report)
        self.assertIn("on testhost (2 CPUs, load 0.5 0.2 0.1). Test run.", self.report)


class FilteredRun(unittest.TestCase):
    def test_what_the_filter_left_out_is_not_called_missing(self):
        done, report = run_report("run", extra=["--filtered"])
        self.assertEqual(done.returncode, 0, done.stderr)
        rows = {r[1]: r for r in rows_of(section(report, "Targets"))}
        self.assertEqual(rows["a benchmark that is gone"][8], "filtered out")
        self.assertEqual(rows["a program that did not run"][8], "filtered out")
        self.assertEqual(rows["too slow, in microseconds"][8], "**NOT met**")
        self.assertEqual(rows["a target nothing measures"][8], "no benchmark")


class OtherBenchmarks(unittest.TestCase):
    def test_lists_only_what_the_targets_do_not_show(self):
        # A family's fit is a target row, its sizes stay here for reference.
        _, report = run_report("run")
        rows = rows_of(section(report, "Every other benchmark"))
        self.assertEqual(rows, [["bench_fake", "BM_Family/10", "10 µs", "10 µs", ""],
                                ["bench_fake", "BM_Family/100", "100 µs", "100 µs", ""],
                                ["bench_fake", "BM_Family/squared/10", "10 µs", "10 µs", ""],
                                ["bench_fake", "BM_Family/squared/100", "1 ms", "1 ms", ""],
                                ["bench_fake", "BM_Other", "250 ns", "240 ns", "hits 3000"]])


class Failures(unittest.TestCase):
    def test_an_error_or_a_cut_file_is_reported_with_exit_1(self):
        done, report = run_report("broken")
        self.assertEqual(done.returncode, 1)
        rows = {r[1]: r for r in rows_of(section(report, "Targets"))}
        self.assertEqual(rows["skipped with an error"][8], "failed: dives missing")
        self.assertEqual(rows["in a file cut short"][8], "not run")
        self.assertIn("bench_cut: bench_cut.json is not a benchmark report", report)

    def test_a_target_that_cannot_be_read_stops_with_exit_2(self):
        with tempfile.TemporaryDirectory() as tmp:
            bad = Path(tmp) / "targets.json"
            bad.write_text('{"targets": [{"issue": 1, "what": "in parsecs", "program": "p",'
                           ' "benchmark": "^BM_A$", "figure": "real_time",'
                           ' "target": "< 10 parsecs"}]}')
            done, report = run_report("run", bad)
        self.assertEqual(done.returncode, 2)
        self.assertIn("target 1 (in parsecs): cannot read the target '< 10 parsecs'", done.stderr)
        self.assertEqual(report, "")

    def test_targets_that_cannot_be_judged_are_refused(self):
        cases = [('"figure": "x", "target": ">= 0.9 x baseline"', "needs a baseline"),
                 ('"figure": "real_time", "target": "< 16"', "a time takes a target in"),
                 ('"figure": "mem_x_file", "target": "< 1.5 s"', "a time takes a target in"),
                 ('"figure": "real_time", "target": "O(N)"', "only the big_o figure"),
                 ('"figure": "big_o", "target": "O(N!)"', "unknown complexity")]
        for fields, message in cases:
            with self.subTest(fields), tempfile.TemporaryDirectory() as tmp:
                bad = Path(tmp) / "targets.json"
                bad.write_text('{"targets": [{"issue": 1, "what": "w", "program": "p",'
                               ' "benchmark": "^BM_A$", ' + fields + '}]}')
                with self.assertRaisesRegex(bench_report.TargetError, re.escape(message)):
                    bench_report.load_targets(bad)


class TargetsKeptInTheTree(unittest.TestCase):
    """Each target names a bench program that is built and a benchmark it
    registers, so a renamed benchmark cannot silently leave a row empty."""

    def test_every_target_names_a_registered_benchmark(self):
        targets = bench_report.load_targets(TOP / "bench" / "targets.json")
        cmake = (TOP / "bench" / "CMakeLists.txt").read_text()
        programs = set(re.findall(r"add_executable\((bench_\w+)", cmake))
        for t in targets:
            if not t["measured"]:
                continue
            patterns = [t["benchmark"]] + ([t["baseline"]["benchmark"]]
                                           if "benchmark" in t.get("baseline", {}) else [])
            with self.subTest(t["what"]):
                self.assertIn(t["program"], programs)
                source = (TOP / "bench" / f"{t['program']}.cpp").read_text()
                for pattern in patterns:
                    m = re.match(r"\^(BM_\w+)(?:/([a-z]\w*))?", pattern)
                    self.assertIsNotNone(m, pattern)
                    name, capture = m.groups()
                    if capture:
                        self.assertRegex(source, rf"BENCHMARK_CAPTURE\({name},\s*{capture},")
                    else:
                        self.assertRegex(source, rf"BENCHMARK\({name}\)")


if __name__ == "__main__":
    unittest.main()
