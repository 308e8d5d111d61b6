// Reading the tags of large files through the program's tag reader: a
// gigabyte of zeros named .mp3 (sparse), next to a small tagged MP3. Each
// read is a whole read, the file opened anew; the figure is the median.
#include "engine/tags/TagLibTagReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A file of size bytes: head, then zeros that take no room on the disk.
QString makeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& head, qint64 size)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(head) != head.size() || !file.resize(size))
        return {};
    return file.fileName();
}

void readTags(benchmark::State& state, const QByteArray& head, qint64 size)
{
    const QTemporaryDir dir;
    const QString path = makeFile(dir, QStringLiteral("file.mp3"), head, size);
    if (path.isEmpty())
        return state.SkipWithError("the file could not be made");
    const MediaTagReaderPtr reader = makeTagLibTagReader();
    for (auto _ : state)
        benchmark::DoNotOptimize(reader->read(path));
}

void BM_TagsOfAGigabyteOfZeros(benchmark::State& state)
{
    readTags(state, {}, 1'000'000'000);
}

// An ID3v1 tag after a few silent MPEG frames.
void BM_TagsOfASmallMp3(benchmark::State& state)
{
    const QByteArray frames = (QByteArray("\xFF\xFB\x90\x64", 4) + QByteArray(413, '\0')).repeated(8);
    const QByteArray tag = "TAG" + QByteArray("Title").leftJustified(30, '\0') + QByteArray(94, '\0') + '\xFF';
    readTags(state, frames + tag, frames.size() + tag.size());
}

} // namespace

BENCHMARK(BM_TagsOfAGigabyteOfZeros)->Iterations(1)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TagsOfASmallMp3)->Iterations(1)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
