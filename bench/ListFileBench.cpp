// A list file of 100,000 entries: opened (also as an M3U8 list) and saved
// through the handlers of the main window, next to the bare file read underneath the opening and the
// floor of any save that cannot lose a list: the same bytes written to a new
// file in the same folder, flushed to the disk and renamed over the list.
// Then the large ones: a million entries from the dialog's Open to a window
// that answers again, with the memory they take, and the largest file of
// one-letter lines, refused.
//
// Budgets (medians): the same 100,000 entries from an M3U8 list with titles
// within 1.5 x the program's own list (BM_OpenM3u8ThroughHandler against
// BM_OpenThroughHandler); the million in at most 1.0 s and +250 MB (kept_MB and
// peak_MB); the refusal within 2 s, peak under 500 MB; the save of 100,000
// (BM_SaveAsThroughHandler) within 13.4 ms.
//
//   bench_ListFileBench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "controls/forms/ListBox.h"
#include "playback/PathRules.h"
#include "playlist/ListFile.h"
#include "support/MainWindowHarness.h"

#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

namespace {

constexpr int kEntries = 100'000;

QStringList playList()
{
    QStringList paths;
    paths.reserve(kEntries);
    for (int i = 0; i < kEntries; ++i)
        paths << QStringLiteral("/home/user/音楽/アーティスト %1/アルバム %2/%3 トラック名 No.%3.mp3")
                     .arg(i / 1000)
                     .arg(i / 20)
                     .arg(i);
    return paths;
}

// The same play list as an M3U8 list with a title and a length for each
// entry, as music programs write them.
QByteArray m3u8Of(const QStringList& paths)
{
    QByteArray bytes = "#EXTM3U\n";
    for (const QString& path : paths)
        bytes += "#EXTINF:" + QByteArray::number(180 + path.size()) + ",アーティスト - " + NameOfPath(path).toUtf8()
                 + "\n" + path.toUtf8() + "\n";
    return bytes;
}

void writeWhole(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the list file");
}

struct Fixture {
    QTemporaryDir dir;
    QStringList paths = playList();
    QByteArray bytes = encodeListFile(paths).value();
    QByteArray m3u8 = m3u8Of(paths);
    QString listPath = dir.filePath("big.lst");
    QString m3u8Path = dir.filePath("big.m3u8");

    Fixture()
    {
        writeWhole(listPath, bytes);
        writeWhole(m3u8Path, m3u8);
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

// Opens the list at path through the handler of the main window, once an
// iteration; opened(h) tells whether it opened whole.
template <typename Opened>
void openThroughHandler(benchmark::State& state, const QString& path, qsizetype bytes, Opened&& opened)
{
    MainWindowHarness h;
    for (auto _ : state) {
        h.dialogs.choose(path);
        h->mnuListOpen_Click();
        if (!opened(h))
            state.SkipWithError("the list did not open whole");
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_OpenThroughHandler(benchmark::State& state)
{
    Fixture& f = fixture();
    openThroughHandler(state, f.listPath, f.bytes.size(),
                       [](MainWindowHarness& h) { return h->List2->ListCount() == kEntries; });
}
BENCHMARK(BM_OpenThroughHandler)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same entries from an M3U8 list, each with a title shown in place of
// its name (budget: within 1.5 x the program's own list).
void BM_OpenM3u8ThroughHandler(benchmark::State& state)
{
    Fixture& f = fixture();
    openThroughHandler(state, f.m3u8Path, f.m3u8.size(), [](MainWindowHarness& h) {
        return h->List2->ListCount() == kEntries && h->List2->List(0).startsWith(QStringLiteral("アーティスト"));
    });
}
BENCHMARK(BM_OpenM3u8ThroughHandler)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadAndDecodeOnly(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        std::optional<QStringList> entries = readListFile(f.listPath);
        benchmark::DoNotOptimize(entries);
    }
    state.SetBytesProcessed(state.iterations() * f.bytes.size());
}
BENCHMARK(BM_ReadAndDecodeOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PlainFileRead(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        QFile file(f.listPath);
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("cannot read");
        QByteArray bytes = file.readAll();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(state.iterations() * f.bytes.size());
}
BENCHMARK(BM_PlainFileRead)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaveAsThroughHandler(benchmark::State& state)
{
    Fixture& f = fixture();
    MainWindowHarness h;
    h->List1->AddItems(f.paths);
    h->List2->AddItems(f.paths);
    const QString target = f.dir.filePath("saved.lst");
    for (auto _ : state) {
        h.dialogs.choose(target);
        h->mnuListNewSave_Click();
        if (!h.messages.shown.isEmpty())
            state.SkipWithError("the save failed");
    }
    state.SetBytesProcessed(state.iterations() * f.bytes.size());
}
BENCHMARK(BM_SaveAsThroughHandler)->Unit(benchmark::kMillisecond)->UseRealTime();

// The parts of the save that are not the write: the entries read from the
// list box, and their encoding.
void BM_SavePartsEntriesAndEncoding(benchmark::State& state)
{
    Fixture& f = fixture();
    MainWindowHarness h;
    h->List1->AddItems(f.paths);
    for (auto _ : state) {
        std::optional<QByteArray> bytes = encodeListFile(h->List1->entries());
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(state.iterations() * f.bytes.size());
}
BENCHMARK(BM_SavePartsEntriesAndEncoding)->Unit(benchmark::kMillisecond)->UseRealTime();

// Plain system calls, nothing of the program: open a new file beside the
// target, write, fsync, close, rename over the target.
bool durableWrite(const QByteArray& target, const QByteArray& bytes)
{
    const QByteArray temporary = target + ".new";
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    const bool synced = written && ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced && ::rename(temporary.constData(), target.constData()) == 0;
}

void BM_DurableFileWrite(benchmark::State& state)
{
    Fixture& f = fixture();
    const QByteArray target = QFile::encodeName(f.dir.filePath("floor.lst"));
    for (auto _ : state) {
        if (!durableWrite(target, f.bytes))
            state.SkipWithError("cannot write");
    }
    state.SetBytesProcessed(state.iterations() * f.bytes.size());
}
BENCHMARK(BM_DurableFileWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

// ---- the large ones ----

// A field of /proc/self/status in megabytes ("VmRSS", "VmHWM").
double statusMegabytes(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QRegularExpression line(QStringLiteral("^%1:\\s+(\\d+) kB").arg(QLatin1String(field)),
                                  QRegularExpression::MultilineOption);
    return line.match(QString::fromLatin1(status.readAll())).captured(1).toDouble() / 1024.0;
}

// Memory from here on: what stays (RSS) and the highest point (high-water mark).
struct MemoryWatch {
    double before;
    MemoryWatch()
    {
        malloc_trim(0);
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        if (clear.open(QIODevice::WriteOnly))
            clear.write("5");  // the high-water mark starts again from here
        before = statusMegabytes("VmRSS");
    }
    double kept() const { return statusMegabytes("VmRSS") - before; }
    double peak() const { return statusMegabytes("VmHWM") - before; }
};

QString writeListOf(const QTemporaryDir& dir, const char* name, const QByteArray& bytes)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the list file");
    return path;
}

void BM_OpenMillionToAnsweringWindow(benchmark::State& state)
{
    constexpr int kMillion = 1'000'000;
    QTemporaryDir dir;
    QByteArray bytes;
    bytes.reserve(kMillion * 62);
    for (int i = 0; i < kMillion; ++i)  // 60-byte paths
        bytes += QByteArray("/home/user/Music/Artist ") + QByteArray::number(100000 + i / 1000) + "/Album "
                 + QByteArray::number(100000 + i / 20) + "/Track " + QByteArray::number(1000000 + i) + ".mp3\r\n";
    const QString path = writeListOf(dir, "million.lst", bytes);
    bytes = QByteArray();
    MainWindowHarness h;
    h->show();
    QApplication::processEvents();
    double kept = 0, peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        h->List1->Clear();
        h->List2->Clear();
        QApplication::processEvents();
        const MemoryWatch memory;
        h.dialogs.choose(path);
        state.ResumeTiming();
        h->mnuListOpen_Click();
        QApplication::processEvents();  // the list lays out and the window paints
        h->List2->viewport()->repaint();
        state.PauseTiming();
        kept = memory.kept();
        peak = memory.peak();
        if (h->List2->ListCount() != kMillion || h->List2->List(kMillion - 1) != "Track 1999999.mp3")
            state.SkipWithError("the list did not open whole");
        state.ResumeTiming();
    }
    state.counters["kept_MB"] = kept;
    state.counters["peak_MB"] = peak;
}
BENCHMARK(BM_OpenMillionToAnsweringWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_RefuseLargestFileOfOneLetterLines(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = writeListOf(dir, "letters.lst", QByteArray("a\n").repeated(int(kMaxListFileSize / 2)));
    MainWindowHarness h;
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const MemoryWatch memory;
        h.dialogs.choose(path);
        state.ResumeTiming();
        h->mnuListOpen_Click();
        state.PauseTiming();
        peak = memory.peak();
        if (h.messages.shown.isEmpty() || h->List1->ListCount() != 0)
            state.SkipWithError("the file was not refused");
        h.messages.shown.clear();
        state.ResumeTiming();
    }
    state.counters["peak_MB"] = peak;
}
BENCHMARK(BM_RefuseLargestFileOfOneLetterLines)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
