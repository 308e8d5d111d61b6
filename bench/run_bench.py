#!/usr/bin/env python3
"""Runs every benchmark of the player, each next to its yardstick, and prints
one table of medians; writes the same figures as results.json, results.csv
and a PNG chart.

Run through scripts/bench, which builds what is needed and provides an X
server (Xvfb) and a session bus. Every figure is taken next to its reference
in the same run, interleaved where the two are separate processes, so that
the ratios hold on a busy machine even when the absolute times do not.
"""

import argparse
import csv
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from dataclasses import dataclass, field
from pathlib import Path

HERE = Path(__file__).resolve().parent


@dataclass
class Figure:
    """One row of the table: a measured median next to its reference."""

    name: str
    unit: str
    budget_kind: str  # "ratio" (measured/reference), "extra" (measured-reference), "limit" (measured)
    budget: float
    measured: list = field(default_factory=list)
    reference: list = field(default_factory=list)
    reference_name: str = ""
    note: str = ""
    measured_name: str = "Sorvan"
    failed: bool = False  # the group could not be measured at all

    def median(self, samples):
        return statistics.median(samples) if samples else None

    @property
    def measured_median(self):
        return self.median(self.measured)

    @property
    def reference_median(self):
        return self.median(self.reference)

    @property
    def ratio(self):
        m, r = self.measured_median, self.reference_median
        return m / r if m is not None and r else None

    @property
    def difference(self):
        m, r = self.measured_median, self.reference_median
        return m - r if m is not None and r is not None else None

    @property
    def limit(self):
        """The budget as a value in the measured unit (the chart's line)."""
        r = self.reference_median
        if self.budget_kind == "limit":
            return self.budget
        if r is None:
            return None
        return r * self.budget if self.budget_kind == "ratio" else r + self.budget

    @property
    def compared(self):
        """The value that is held against the budget."""
        if self.budget_kind == "ratio":
            return self.ratio
        if self.budget_kind == "extra":
            return self.difference
        return self.measured_median

    @property
    def verdict(self):
        if self.failed:
            return "failed"
        value = self.compared
        if value is None:
            return "missing"
        return "pass" if value <= self.budget else "over"

    def budget_text(self):
        if self.failed:
            return "-"
        if self.budget_kind == "ratio":
            return f"<= {self.budget:g} x"
        if self.budget_kind == "extra":
            return f"< +{self.budget:g} {self.unit}"
        return f"< {self.budget:g} {self.unit}"

    def comparison_text(self):
        ratio, diff = self.ratio, self.difference
        if ratio is None:
            return "-"
        if self.budget_kind == "extra":
            return f"{diff:+.1f} {self.unit}"
        return f"{ratio:.2f} x"

    def as_dict(self):
        return {
            "figure": self.name,
            "unit": self.unit,
            "measured_median": self.measured_median,
            "reference": self.reference_name,
            "reference_median": self.reference_median,
            "ratio": self.ratio,
            "difference": self.difference,
            "budget": self.budget_text(),
            "budget_kind": self.budget_kind,
            "budget_value": self.budget,
            "verdict": self.verdict,
            "measured_samples": self.measured,
            "reference_samples": self.reference,
            "note": self.note,
            "measured_name": self.measured_name,
            "failed": self.failed,
        }


def figure_from_dict(d):
    return Figure(d["figure"], d["unit"], d["budget_kind"], d["budget_value"], d["measured_samples"],
                  d["reference_samples"], d["reference"], d.get("note", ""), d.get("measured_name", "Sorvan"),
                  d.get("failed", False))


def log(message):
    print(message, file=sys.stderr, flush=True)


# ---------------------------------------------------------------- start-up

def watch(tools, program, rss_after=0.0, log_file=os.devnull):
    """Starts program under StartupWatch; returns (map_ms, rss_kb or None)."""
    command = [str(tools["watch"]), "--timeout", "60", "--log", log_file]
    if rss_after:
        command += ["--rss-after", str(rss_after)]
    command += ["--", str(program)]
    done = subprocess.run(command, capture_output=True, text=True, timeout=120)
    if done.returncode != 0:
        # One more try: a start can be lost to a busy machine, a broken
        # program fails twice.
        done = subprocess.run(command, capture_output=True, text=True, timeout=120)
    if done.returncode != 0:
        raise RuntimeError(f"{program}: {done.stderr.strip()}")
    result = json.loads(done.stdout)
    return result["map_ms"], result.get("rss_kb")


def interleaved(tools, programs, runs, warmup, rss_after=0.0, log_file=os.devnull):
    """Starts each program in turn, runs times after warmup rounds; returns
    {name: [(map_ms, rss_kb), ...]}."""
    samples = {name: [] for name in programs}
    for round_no in range(warmup + runs):
        for name, program in programs.items():
            sample = watch(tools, program, rss_after, log_file)
            if round_no >= warmup:
                samples[name].append(sample)
        log(f"  round {round_no + 1}/{warmup + runs}" + (" (warm-up)" if round_no < warmup else ""))
    return samples


def make_jpeg(path):
    """A small real JPEG made by ffmpeg (any JPEG will do: start-up only lists them)."""
    subprocess.run(["ffmpeg", "-loglevel", "error", "-y", "-f", "lavfi", "-i", "testsrc=size=160x120",
                    "-frames:v", "1", str(path)], check=True)


def copy_program_folder(source, target):
    """The program folder without its pictures."""
    shutil.copytree(source, target, ignore=shutil.ignore_patterns("*.jpg", "*.JPG", "*.jpeg"))
    return target / "Sorvan"


def startup_figures(tools, runs, warmup, scratch):
    start = Figure("Start-up to window mapped", "ms", "ratio", 1.3, reference_name="bare Qt window")
    memory = Figure("Idle memory (RSS) 3 s after start", "MB", "ratio", 1.5, reference_name="bare Qt window")
    pictures = Figure("Start-up with 5,000 JPEGs", "ms", "extra", 50, reference_name="no JPEG",
                      measured_name="5,000 JPEGs")

    log("start-up and idle memory: the program and the bare window, interleaved")
    samples = interleaved(tools, {"program": tools["program"], "bare": tools["bare"]}, runs, warmup,
                          rss_after=3.0, log_file=str(scratch / "startup.log"))
    start.measured = [s[0] for s in samples["program"]]
    start.reference = [s[0] for s in samples["bare"]]
    memory.measured = [s[1] / 1024 for s in samples["program"]]
    memory.reference = [s[1] / 1024 for s in samples["bare"]]

    log("start-up with 5,000 JPEG files in the program folder, and with none")
    empty = copy_program_folder(tools["program"].parent, scratch / "no-pictures")
    many = copy_program_folder(tools["program"].parent, scratch / "5000-pictures")
    picture = scratch / "picture.jpg"
    make_jpeg(picture)
    for i in range(5000):
        shutil.copyfile(picture, many.parent / f"bild{i:05d}.jpg")
    samples = interleaved(tools, {"many": many, "empty": empty}, runs, warmup,
                          log_file=str(scratch / "startup-pictures.log"))
    pictures.measured = [s[0] for s in samples["many"]]
    pictures.reference = [s[0] for s in samples["empty"]]
    return [start, memory, pictures]


# ------------------------------------------------------- Google Benchmark

def run_google_benchmark(executable, runs, extra_env=None, timeout=300, filter_=None):
    """Runs a Google Benchmark program; returns {run_name: [real time in ms, ...]}.
    With runs None the program's own repetitions are kept."""
    env = dict(os.environ, **(extra_env or {}))
    command = [str(executable), "--benchmark_format=json"]
    if runs:
        command += [f"--benchmark_repetitions={runs}", "--benchmark_enable_random_interleaving=true",
                    "--benchmark_min_warmup_time=0.2"]
    if filter_:
        command.append(f"--benchmark_filter={filter_}")
    done = subprocess.run(command, capture_output=True, text=True, env=env, timeout=timeout)
    if done.returncode != 0:
        raise RuntimeError(f"{executable.name} failed: {done.stderr.strip()[-2000:]}")
    report = json.loads(done.stdout)
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
    times, medians = {}, {}
    for entry in report["benchmarks"]:
        if entry.get("error_occurred"):
            ERRORS[entry.get("run_name", entry["name"])] = entry.get("error_message", "error")
            continue
        name = entry.get("run_name", entry["name"])
        value = entry["real_time"] * scale[entry["time_unit"]]
        if entry.get("run_type") == "iteration":
            times.setdefault(name, []).append(value)
        elif entry.get("aggregate_name") == "median":
            medians[name] = value
    # A benchmark that reports only its aggregates gives its median alone.
    for name, value in medians.items():
        times.setdefault(name, [value])
    return times


# Benchmarks that stopped with an error, by name, and their message.
ERRORS = {}


def pick(times, *names):
    """The samples of the first benchmark whose name starts with one of names."""
    for wanted in names:
        for name, samples in times.items():
            if name == wanted or name.startswith(wanted + "/"):
                return samples
    return []


def error_of(*names):
    for wanted in names:
        for name, message in ERRORS.items():
            if name == wanted or name.startswith(wanted + "/"):
                return f"{wanted}: {message}"
    return ""


def list_figures(tools, runs):
    open_ = Figure("Open a 100,000-entry list file", "ms", "limit", 300, reference_name="read the file")
    save = Figure("Save that list", "ms", "ratio", 1.5, reference_name="durable write + rename")
    m3u8 = Figure("Open the same entries as M3U8 with titles", "ms", "ratio", 1.5,
                  reference_name="the program's own list")
    bench = tools["bench_dir"] / "bench_ListFileBench"
    if not bench.exists():
        open_.note = save.note = m3u8.note = "bench_ListFileBench not built"
        return [open_, save, m3u8]
    log("list files: open and save 100,000 entries")
    times = run_google_benchmark(bench, runs)
    open_.measured = pick(times, "BM_OpenThroughHandler")
    open_.reference = pick(times, "BM_PlainFileRead")
    save.measured = pick(times, "BM_SaveAsThroughHandler")
    save.reference = pick(times, "BM_DurableFileWrite")
    open_.note = error_of("BM_OpenThroughHandler", "BM_PlainFileRead")
    save.note = error_of("BM_SaveAsThroughHandler", "BM_DurableFileWrite")
    m3u8.measured = pick(times, "BM_OpenM3u8ThroughHandler")
    m3u8.reference = pick(times, "BM_OpenThroughHandler")
    m3u8.note = error_of("BM_OpenM3u8ThroughHandler", "BM_OpenThroughHandler")
    return [open_, save, m3u8]


def slideshow_figures(tools, runs):
    tick = Figure("Slideshow tick, 24-megapixel JPEG", "ms", "limit", 30, reference_name="screen-sized JPEG")
    progressive = Figure("Slideshow tick, 24 MP progressive", "ms", "limit", 30,
                         reference_name="screen-sized JPEG")
    bench = tools["bench_dir"] / "bench_SlideshowBench"
    if not bench.exists():
        tick.note = progressive.note = "bench_SlideshowBench not built"
        return [tick, progressive]
    log("slideshow: one tick with a 24-megapixel picture and with a screen-sized one")
    # The slideshow bench sets its own repetitions (single ticks, many of them).
    times = run_google_benchmark(bench, None, {"QT_QPA_PLATFORM": "offscreen"}, filter_="BM_TickPhoto")
    tick.measured = pick(times, "BM_TickPhoto24Megapixels")
    progressive.measured = pick(times, "BM_TickPhoto24MegapixelsProgressive")
    tick.reference = progressive.reference = pick(times, "BM_TickPhotoScreenSized")
    tick.note = error_of("BM_TickPhoto24Megapixels", "BM_TickPhotoScreenSized")
    progressive.note = error_of("BM_TickPhoto24MegapixelsProgressive", "BM_TickPhotoScreenSized")
    return [tick, progressive]


def tag_figures(tools, runs):
    big = Figure("Tags of a 1 GB zero-filled .mp3", "ms", "limit", 500, reference_name="a small tagged MP3")
    bench = tools["bench_dir"] / "bench_TagReadBench"
    if not bench.exists():
        big.note = "bench_TagReadBench not built"
        return [big]
    log("tags: a gigabyte of zeros named .mp3, and a small MP3")
    times = run_google_benchmark(bench, None)
    big.measured = pick(times, "BM_TagsOfAGigabyteOfZeros")
    big.reference = pick(times, "BM_TagsOfASmallMp3")
    big.note = error_of("BM_TagsOfAGigabyteOfZeros", "BM_TagsOfASmallMp3")
    return [big]


MEDIA_FORMATS = ["wav", "mp3", "mid", "avi"]


def media_figures(tools, runs):
    figures = {fmt: Figure(f"Open {fmt.upper()} to Playing", "ms", "ratio", 1.2, reference_name="libVLC alone")
               for fmt in MEDIA_FORMATS}
    bench = tools["bench_dir"] / "bench_MediaOpenBench"
    if not bench.exists():
        for figure in figures.values():
            figure.note = "bench_MediaOpenBench not built"
        return list(figures.values())
    log("media: open to Playing through the engine and through libVLC alone")
    times = run_google_benchmark(bench, runs, {"QT_QPA_PLATFORM": "offscreen"})
    for fmt, figure in figures.items():
        figure.measured = pick(times, f"Engine/{fmt}")
        figure.reference = pick(times, f"Libvlc/{fmt}")
        figure.note = error_of(f"Engine/{fmt}", f"Libvlc/{fmt}")
    return list(figures.values())


# ---------------------------------------------------------------- playback

PLAYBACK_SECONDS = 10
IDLE_SECONDS = 5


def make_playback_media(scratch):
    """A 1920x1080 H.264 .mov, a 720x480 MPEG-2 .mpg (both with sound and a
    little longer than a measurement) and a WAV for the idle figure."""
    hd, sd, wav = scratch / "hd-h264.mov", scratch / "sd-mpeg2.mpg", scratch / "tone.wav"
    seconds = str(PLAYBACK_SECONDS + 6)
    ffmpeg = ["ffmpeg", "-loglevel", "error", "-y"]
    subprocess.run(ffmpeg + ["-f", "lavfi", "-i", f"testsrc2=size=1920x1080:rate=30:duration={seconds}",
                             "-f", "lavfi", "-i", f"sine=frequency=440:duration={seconds}", "-c:v", "libx264",
                             "-preset", "veryfast", "-pix_fmt", "yuv420p", "-c:a", "aac", str(hd)], check=True)
    subprocess.run(ffmpeg + ["-f", "lavfi", "-i", f"testsrc2=size=720x480:rate=30:duration={seconds}",
                             "-f", "lavfi", "-i", f"sine=frequency=440:duration={seconds}", "-c:v", "mpeg2video",
                             "-q:v", "4", "-c:a", "mp2", str(sd)], check=True)
    subprocess.run(ffmpeg + ["-f", "lavfi", "-i", f"sine=frequency=440:duration={IDLE_SECONDS + 10}", str(wav)],
                   check=True)
    return {"1920x1080 H.264 .mov": hd, "720x480 MPEG-2 .mpg": sd}, wav


def play_load(bench, mode, path, seconds, extra=()):
    """One run of bench_MediaPlaybackLoad; returns its JSON report."""
    command = [str(bench), mode, str(path), "--seconds", str(seconds), *extra]
    env = dict(os.environ, QT_QPA_PLATFORM="xcb")
    done = subprocess.run(command, capture_output=True, text=True, env=env, timeout=seconds + 60)
    if done.returncode != 0 or not done.stdout.strip():
        done = subprocess.run(command, capture_output=True, text=True, env=env, timeout=seconds + 60)
    if done.returncode != 0 or not done.stdout.strip():
        raise RuntimeError(f"{mode} {path.name}: {done.stderr.strip()[-300:]}")
    return json.loads(done.stdout.strip().splitlines()[-1])


def playback_figures(tools, runs, warmup, scratch):
    bench = tools["bench_dir"] / "bench_MediaPlaybackLoad"
    if not bench.exists():
        failed = Figure("playback (failed)", "ms", "limit", 0, note="bench_MediaPlaybackLoad not built", failed=True)
        return [failed]
    log("playback: CPU and memory over 10 s, the player control and libVLC alone, alternating")
    media, wav = make_playback_media(scratch)
    figures = []
    cases = []
    for label, path in media.items():
        for full in (False, True):
            where = "full screen" if full else "windowed"
            cpu = Figure(f"CPU, {label}, {where}", "s", "ratio", 1.05, reference_name="libVLC alone")
            memory = Figure(f"Memory, {label}, {where}", "MB", "extra", 15, reference_name="libVLC alone")
            cases.append((path, full, cpu, memory))
            figures += [cpu, memory]
    paused = Figure("Idle CPU, paused video", "%", "limit", 1.0, reference_name="libVLC alone, paused",
                    note="percent of one core; libVLC 3 redraws a paused picture every 80 ms")
    audio = Figure("Idle CPU, audio playing", "%", "limit", 1.0, reference_name="-", note="percent of one core")
    for round_no in range(warmup + runs):
        keep = round_no >= warmup
        for path, full, cpu, memory in cases:
            flag = ["--full"] if full else []
            player = play_load(bench, "player", path, PLAYBACK_SECONDS, flag)
            size = ["--size", f"{player['width']}x{player['height']}"]
            alone = play_load(bench, "libvlc", path, PLAYBACK_SECONDS, flag + size)
            if keep:
                cpu.measured.append(player["cpu_s"])
                cpu.reference.append(alone["cpu_s"])
                memory.measured.append(player["rss_mb"])
                memory.reference.append(alone["rss_mb"])
        if keep:
            sd = media["720x480 MPEG-2 .mpg"]
            player = play_load(bench, "paused", sd, IDLE_SECONDS)
            alone = play_load(bench, "libvlc-paused", sd, IDLE_SECONDS,
                              ["--size", f"{player['width']}x{player['height']}"])
            paused.measured.append(player["cpu_percent"])
            paused.reference.append(alone["cpu_percent"])
            audio.measured.append(play_load(bench, "audio", wav, IDLE_SECONDS)["cpu_percent"])
        log(f"  round {round_no + 1}/{warmup + runs}" + (" (warm-up)" if not keep else ""))
    return figures + [paused, audio]


# ------------------------------------------------------------------ output

def fmt_value(value, unit):
    if value is None:
        return "n/a"
    return f"{value:.1f} {unit}" if value < 1000 else f"{value:.0f} {unit}"


def table(figures):
    header = ["Figure", "Measured", "Reference", "", "Ratio/diff", "Budget", "Result"]
    rows = [[f.name, fmt_value(f.measured_median, f.unit), fmt_value(f.reference_median, f.unit),
             f.reference_name, f.comparison_text(), f.budget_text(), f.verdict.upper() if f.verdict == "over"
             else f.verdict] for f in figures]
    widths = [max(len(str(r[i])) for r in rows + [header]) for i in range(len(header))]
    line = lambda r: "  ".join(str(c).ljust(w) for c, w in zip(r, widths)).rstrip()
    out = [line(header), line(["-" * w for w in widths])] + [line(r) for r in rows]
    notes = [f"  {f.name}: {f.note}" for f in figures if f.note]
    return "\n".join(out + (["", "Notes:"] + notes if notes else []))


def write_csv(figures, path):
    with open(path, "w", newline="") as out:
        writer = csv.writer(out)
        writer.writerow(["figure", "unit", "measured_median", "reference", "reference_median", "ratio",
                         "difference", "budget", "verdict", "runs"])
        for f in figures:
            writer.writerow([f.name, f.unit, f.measured_median, f.reference_name, f.reference_median, f.ratio,
                             f.difference, f.budget_text(), f.verdict, len(f.measured)])


def gnuplot_quote(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n") + '"'


LEGEND = ("left bar: the program (green within budget, red over); right bar: its reference measured "
          "in the same run; dashed line: the budget")


def write_chart(figures, path, subtitle):
    """One small panel per figure: the measured median next to its reference,
    and the budget as a dashed line; a bar over its budget is red."""
    if not shutil.which("gnuplot"):
        log("gnuplot is missing: no chart")
        return False
    columns = 5
    rows = (len(figures) + columns - 1) // columns
    script = [
        f"set terminal pngcairo size {columns * 330},{rows * 330 + 60} font 'Sans,10'",
        f"set output {gnuplot_quote(str(path))}",
        f"set multiplot layout {rows},{columns} title "
        f"{gnuplot_quote('Sorvan benchmarks: medians, ' + subtitle + chr(10) + LEGEND)} font 'Sans,12'",
        "set style fill solid 0.85 border -1",
        "set boxwidth 0.6",
        "set xrange [-0.6:1.6]",
        "set yrange [0:*]",
        "set grid ytics lc rgb '#dddddd'",
        "set xtics nomirror scale 0",
        "set ytics nomirror",
        "set border 3",
        "unset key",
    ]
    for f in figures:
        measured = f.measured_median or 0
        reference = f.reference_median or 0
        limit = f.limit
        top = max(measured, reference, limit or 0) * 1.25 or 1
        colour = {"pass": "#3a9a4a", "over": "#d0413a"}.get(f.verdict, "#999999")
        title = f.name if len(f.name) < 34 else f.name[:33] + "…"
        script += [
            f"set title {gnuplot_quote(title + chr(10) + f.verdict.upper() + ': ' + f.comparison_text() + ', budget ' + f.budget_text())}",
            f"set ylabel {gnuplot_quote(f.unit)}",
            f"set yrange [0:{top}]",
            f"set xtics ({gnuplot_quote(f.measured_name)} 0, {gnuplot_quote(f.reference_name)} 1)",
            "unset arrow",
        ]
        if limit is not None:
            script.append(f"set arrow from -0.6,{limit} to 1.6,{limit} nohead dt 2 lw 2 lc rgb '#333333'")
        labels = f"'-' using 1:2:3 with labels offset 0,0.7 font 'Sans,9'"
        script.append(f"plot '-' using 1:2 with boxes lc rgb '{colour}', "
                      f"'-' using 1:2 with boxes lc rgb '#6f8fbf', {labels}")
        script += [f"0 {measured}", "e", f"1 {reference}", "e",
                   f"0 {measured} \"{measured:.1f}\"", f"1 {reference} \"{reference:.1f}\"", "e"]
    script.append("unset multiplot")
    done = subprocess.run(["gnuplot"], input="\n".join(script) + "\n", text=True, capture_output=True)
    if done.returncode != 0:
        log("gnuplot failed: " + done.stderr.strip())
        return False
    return True


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--build", type=Path, required=True, help="build folder with the program and benches")
    parser.add_argument("--runs", type=int, default=7, help="measured runs of each figure (median)")
    parser.add_argument("--warmup", type=int, default=1, help="warm-up rounds before the measured runs")
    parser.add_argument("--out", type=Path, help="where results go (default BUILD/bench/results)")
    parser.add_argument("--program-from", type=Path,
                        help="measure the program and the benches of this build folder instead (a variant), "
                             "with the watcher and the bare window of --build")
    parser.add_argument("--from-json", type=Path, help="print and chart an earlier results.json again")
    parser.add_argument("--only", nargs="*", choices=["startup", "list", "slideshow", "tags", "media", "playback"],
                        help="run only these groups")
    args = parser.parse_args()

    build = args.build.resolve()
    measured = (args.program_from or args.build).resolve()
    tools = {
        "program": measured / "program" / "Sorvan",
        "bare": build / "bench" / "bare" / "BareWindow",
        "watch": build / "bench" / "StartupWatch",
        "bench_dir": measured / "bench",
    }
    out = (args.out or build / "bench" / "results").resolve()
    out.mkdir(parents=True, exist_ok=True)
    groups = args.only or ["startup", "list", "slideshow", "tags", "media", "playback"]

    began = time.monotonic()
    figures = []
    if args.from_json:
        earlier = json.loads(args.from_json.read_text())
        figures = [figure_from_dict(d) for d in earlier["figures"]]
        groups = []
    with tempfile.TemporaryDirectory(prefix="sorvan-bench-") as temp:
        scratch = Path(temp)
        for group in groups:
            try:
                if group == "startup":
                    figures += startup_figures(tools, args.runs, args.warmup, scratch)
                elif group == "list":
                    figures += list_figures(tools, args.runs)
                elif group == "slideshow":
                    figures += slideshow_figures(tools, args.runs)
                elif group == "tags":
                    figures += tag_figures(tools, args.runs)
                elif group == "media":
                    figures += media_figures(tools, args.runs)
                elif group == "playback":
                    figures += playback_figures(tools, args.runs, args.warmup, scratch)
            except (RuntimeError, subprocess.SubprocessError, OSError) as error:
                log(f"{group}: {error}")
                failed = Figure(f"{group} (failed)", "ms", "limit", 0, note=str(error)[:300], failed=True)
                figures.append(failed)

    stamp = time.strftime("%Y-%m-%d %H:%M UTC", time.gmtime())
    subtitle = f"{stamp}, {args.runs} runs each after {args.warmup} warm-up"
    print()
    print(f"Sorvan benchmarks: medians of {args.runs} runs after {args.warmup} warm-up ({stamp})")
    print(f"Program: {tools['program']}")
    print(table(figures))
    (out / "results.json").write_text(json.dumps({"date": stamp, "runs": args.runs, "warmup": args.warmup,
                                                  "figures": [f.as_dict() for f in figures]}, indent=2))
    write_csv(figures, out / "results.csv")
    chart = out / "results.png"
    if write_chart(figures, chart, subtitle):
        print(f"\nChart: {chart}")
    print(f"Figures: {out / 'results.csv'}, {out / 'results.json'}  ({time.monotonic() - began:.0f} s)")
    return 1 if any(f.verdict in ("missing", "failed") for f in figures) else 0


if __name__ == "__main__":
    sys.exit(main())
