#!/usr/bin/env python3
"""Tests of the benchmark runner: verdicts against the budgets, reading
Google Benchmark reports, the table and the chart."""

import json
import os
import shutil
import stat
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import run_bench  # noqa: E402
from run_bench import Figure  # noqa: E402


class VerdictTest(unittest.TestCase):
    def test_each_kind_of_budget_passes_at_its_edge_and_fails_past_it(self):
        cases = [
            # kind, budget, measured, reference, verdict
            ("ratio", 1.3, [130], [100], "pass"),
            ("ratio", 1.3, [131], [100], "over"),
            ("extra", 50, [150], [100], "pass"),
            ("extra", 50, [151], [100], "over"),
            ("limit", 300, [300], [1], "pass"),
            ("limit", 300, [301], [1], "over"),
        ]
        for kind, budget, measured, reference, verdict in cases:
            with self.subTest(kind=kind, measured=measured):
                self.assertEqual(Figure("f", "ms", kind, budget, measured, reference).verdict, verdict)

    def test_the_median_not_the_mean_is_held_against_the_budget(self):
        # One slow outlier must not fail a figure whose typical run is fine.
        figure = Figure("f", "ms", "ratio", 1.3, [100, 101, 102, 103, 900], [100, 100, 100, 100, 100])
        self.assertEqual(figure.measured_median, 102)
        self.assertEqual(figure.verdict, "pass")

    def test_a_figure_without_samples_is_missing_not_passed(self):
        self.assertEqual(Figure("f", "ms", "ratio", 1.2, [], [10]).verdict, "missing")
        self.assertEqual(Figure("f", "ms", "ratio", 1.2, [10], []).verdict, "missing")
        self.assertEqual(Figure("f", "ms", "limit", 30, [], []).verdict, "missing")
        # A reference of zero gives no ratio rather than a division error.
        self.assertEqual(Figure("f", "ms", "ratio", 1.2, [10], [0]).verdict, "missing")

    def test_the_budget_line_is_in_the_measured_unit(self):
        self.assertAlmostEqual(Figure("f", "MB", "ratio", 1.5, [40], [30]).limit, 45)
        self.assertEqual(Figure("f", "ms", "extra", 50, [140], [100]).limit, 150)
        self.assertEqual(Figure("f", "ms", "limit", 30, [20], [2]).limit, 30)

    def test_a_group_that_could_not_run_is_failed_whatever_its_numbers(self):
        figure = Figure("media (failed)", "ms", "limit", 0, note="crashed", failed=True)
        self.assertEqual(figure.verdict, "failed")
        self.assertEqual(figure.budget_text(), "-")

    def test_a_saved_figure_reads_back_the_same(self):
        for figure in (Figure("Save that list", "ms", "ratio", 2.0, [30, 31, 29], [10, 11, 9], "write", "note",
                              "5,000 JPEGs"),
                       Figure("media (failed)", "ms", "limit", 0, note="crashed", failed=True)):
            again = run_bench.figure_from_dict(json.loads(json.dumps(figure.as_dict())))
            self.assertEqual(again.as_dict(), figure.as_dict())


class FakeBenchmark:
    """A stand-in benchmark program that prints a given report."""

    def __init__(self, folder, report, exit_code=0):
        self.path = Path(folder) / "bench_Fake"
        self.path.write_text("#!/bin/sh\n"
                             f"cat <<'EOF'\n{json.dumps(report)}\nEOF\n"
                             f"echo \"$@\" > {folder}/arguments\n"
                             f"exit {exit_code}\n")
        self.path.chmod(self.path.stat().st_mode | stat.S_IEXEC)
        self.arguments_file = Path(folder) / "arguments"

    def arguments(self):
        return self.arguments_file.read_text().split()


def entry(name, time, unit="ms", run_type="iteration", aggregate=None, error=None):
    e = {"name": name, "run_name": name, "run_type": run_type, "real_time": time, "time_unit": unit}
    if aggregate:
        e["aggregate_name"] = aggregate
        e["name"] = f"{name}_{aggregate}"
    if error:
        e["error_occurred"] = True
        e["error_message"] = error
    return e


class GoogleBenchmarkReportTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp()
        run_bench.ERRORS.clear()

    def tearDown(self):
        shutil.rmtree(self.folder)

    def test_repetitions_in_any_unit_become_milliseconds(self):
        fake = FakeBenchmark(self.folder, {"benchmarks": [
            entry("Engine/wav/iterations:5/manual_time", 2.5, "ms"),
            entry("Engine/wav/iterations:5/manual_time", 3000, "us"),
            entry("Engine/wav/iterations:5/manual_time", 0.004, "s"),
            entry("Engine/wav/iterations:5/manual_time", 2.9, "ms", "aggregate", "median"),
        ]})
        times = run_bench.run_google_benchmark(fake.path, 3)
        self.assertEqual(times, {"Engine/wav/iterations:5/manual_time": [2.5, 3.0, 4.0]})
        self.assertIn("--benchmark_repetitions=3", fake.arguments())

    def test_a_bench_that_reports_only_aggregates_gives_its_median(self):
        fake = FakeBenchmark(self.folder, {"benchmarks": [
            entry("BM_Tick/repeats:31", 9.0, "ms", "aggregate", "mean"),
            entry("BM_Tick/repeats:31", 8.5, "ms", "aggregate", "median"),
        ]})
        self.assertEqual(run_bench.run_google_benchmark(fake.path, None), {"BM_Tick/repeats:31": [8.5]})
        # Its own repetitions are kept: none are asked for.
        self.assertFalse([a for a in fake.arguments() if a.startswith("--benchmark_repetitions")])

    def test_failed_runs_are_left_out_and_their_reason_kept(self):
        fake = FakeBenchmark(self.folder, {"benchmarks": [
            entry("BM_Progressive/iterations:1", 0.0, error="no picture shown"),
            entry("BM_Screen/iterations:1", 2.0),
        ]})
        times = run_bench.run_google_benchmark(fake.path, 3)
        self.assertEqual(run_bench.pick(times, "BM_Progressive"), [])
        self.assertEqual(run_bench.error_of("BM_Progressive"), "BM_Progressive: no picture shown")

    def test_a_crashed_bench_is_an_error_not_an_empty_report(self):
        fake = FakeBenchmark(self.folder, {"benchmarks": []}, exit_code=3)
        with self.assertRaises(RuntimeError):
            run_bench.run_google_benchmark(fake.path, 3)

    def test_a_name_picks_its_own_benchmark_and_not_a_longer_one(self):
        times = {"BM_TickPhoto24MegapixelsProgressive/iterations:1": [0.1],
                 "BM_TickPhoto24Megapixels/iterations:1": [9.0],
                 "Engine/mid/iterations:5/manual_time": [30.0]}
        self.assertEqual(run_bench.pick(times, "BM_TickPhoto24Megapixels"), [9.0])
        self.assertEqual(run_bench.pick(times, "BM_TickPhoto24MegapixelsProgressive"), [0.1])
        self.assertEqual(run_bench.pick(times, "Engine/mid"), [30.0])
        self.assertEqual(run_bench.pick(times, "Engine/mp3"), [])
        # The first name that is found wins.
        self.assertEqual(run_bench.pick(times, "BM_Missing", "Engine/mid"), [30.0])


class OutputTest(unittest.TestCase):
    def figures(self):
        return [
            Figure("Start-up to window mapped", "ms", "ratio", 1.3, [400, 410], [100, 100], "bare Qt window"),
            Figure("Start-up with 5,000 JPEGs", "ms", "extra", 50, [130], [100], "no JPEG"),
            Figure('Quote " and \\ in a name', "MB", "limit", 30, [], [], "nothing", note="not built"),
        ]

    def test_the_table_shows_every_figure_with_its_verdict(self):
        text = run_bench.table(self.figures())
        lines = text.splitlines()
        self.assertIn("Ratio/diff", lines[0])
        self.assertRegex(lines[2], r"Start-up to window mapped +405\.0 ms +100\.0 ms .*4\.05 x +<= 1\.3 x +OVER")
        self.assertRegex(lines[3], r"\+30\.0 ms +< \+50 ms +pass")
        self.assertRegex(lines[4], r"n/a +n/a .*missing")
        self.assertIn("not built", text)

    def test_csv_has_one_row_per_figure(self):
        with tempfile.TemporaryDirectory() as folder:
            path = Path(folder) / "results.csv"
            run_bench.write_csv(self.figures(), path)
            rows = path.read_text().splitlines()
        self.assertEqual(len(rows), 4)
        self.assertTrue(rows[1].startswith("Start-up to window mapped,ms,405.0,bare Qt window,100.0,4.05"))

    @unittest.skipUnless(shutil.which("gnuplot"), "gnuplot is not installed")
    def test_the_chart_is_drawn_even_with_missing_figures_and_odd_names(self):
        with tempfile.TemporaryDirectory() as folder:
            path = Path(folder) / "chart.png"
            self.assertTrue(run_bench.write_chart(self.figures(), path, "test"))
            self.assertEqual(path.read_bytes()[:8], b"\x89PNG\r\n\x1a\n")


if __name__ == "__main__":
    unittest.main()
