// A list file of 100,000 entries: opened and saved through the handlers of
// the main window, next to the bare file reads and writes underneath them.
//
//   bench_ListFileBench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "controls/ListBox.h"
#include "playlist/ListFile.h"
#include "support/MainWindowHarness.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

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

struct Fixture {
    QTemporaryDir dir;
    QStringList paths = playList();
    QByteArray bytes = encodeListFile(paths).value();
    QString listPath = dir.filePath("big.lst");

    Fixture()
    {
        QFile file(listPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write the list file");
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void BM_OpenThroughHandler(benchmark::State& state)
{
    Fixture& f = fixture();
    MainWindowHarness h;
    for (auto _ : state) {
        h.dialogs.choose(f.listPath);
        h->mnuListOpen_Click();
        if (h->List2->ListCount() != kEntries)
            state.SkipWithError("the list did not open whole");
    }
    state.SetBytesProcessed(state.iterations() * f.bytes.size());
}
BENCHMARK(BM_OpenThroughHandler)->Unit(benchmark::kMillisecond)->UseRealTime();

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

void BM_PlainFileWrite(benchmark::State& state)
{
    Fixture& f = fixture();
    const QString target = f.dir.filePath("plain.lst");
    for (auto _ : state) {
        QFile file(target);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(f.bytes) != f.bytes.size())
            state.SkipWithError("cannot write");
    }
    state.SetBytesProcessed(state.iterations() * f.bytes.size());
}
BENCHMARK(BM_PlainFileWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

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
