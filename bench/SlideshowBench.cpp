// Time spent on the GUI thread by the background pictures:
//   - one slideshow tick with a 24-megapixel photo, and with a screen-sized
//     one (each tick loads a picture: two copies alternate in the full set),
//     baseline and progressive (which goes to a worker thread);
//   - start-up with 5,000 JPEG files in the program folder, and with none.
// Every figure is the median of single runs.
#include "background/PictureLoader.h"
#include "controls/forms/ClickableFrame.h"
#include "controls/forms/ListBox.h"
#include "support/MainWindowHarness.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QPainter>
#include <QThreadPool>
#include <benchmark/benchmark.h>
#include <map>
#include <random>

namespace {

// A JPEG with the busy detail of a photo, so that it is about as large and as
// slow to decode as one.
QByteArray photoJpeg(const QSize& size, bool progressive = false)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0, QColor(40, 80, 160));
    sky.setColorAt(1, QColor(230, 200, 120));
    painter.fillRect(image.rect(), sky);
    std::mt19937 rng(7);
    const int shapes = size.width() * size.height() / 4000;
    for (int i = 0; i < shapes; ++i) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor::fromRgb(rng() | 0xFF000000u));
        painter.drawEllipse(int(rng() % size.width()), int(rng() % size.height()), 4 + int(rng() % 60),
                            4 + int(rng() % 60));
    }
    painter.end();
    return jpegBytes(image, progressive);
}

const QByteArray& cachedPhoto(const QSize& size, bool progressive)
{
    static std::map<std::tuple<int, int, bool>, QByteArray> photos;
    QByteArray& bytes = photos[{size.width(), size.height(), progressive}];
    if (bytes.isEmpty())
        bytes = photoJpeg(size, progressive);
    return bytes;
}

void tickWithPhoto(benchmark::State& state, QSize size, bool progressive)
{
    MainWindowHarness harness(false);
    const QByteArray& photo = cachedPhoto(size, progressive);
    harness.writeFile(QStringLiteral("a.jpg"), photo);
    harness.writeFile(QStringLiteral("b.jpg"), photo);
    harness->Form_Load();
    harness->mnuSetJpg_Click();
    harness->Timer1_Timer();  // warm: the file is in the page cache, as after the first round
    for (auto _ : state) {
        harness->Timer1_Timer();
        // A picture sent to a worker thread is not the GUI thread's time.
        state.PauseTiming();
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    if (harness->Image1->pixmap().isNull())
        state.SkipWithError("no picture shown");
    state.counters["file_MB"] = photo.size() / 1e6;
}

void BM_TickPhoto24Megapixels(benchmark::State& state) { tickWithPhoto(state, QSize(6000, 4000), false); }
void BM_TickPhotoScreenSized(benchmark::State& state) { tickWithPhoto(state, QSize(1920, 1080), false); }
void BM_TickPhoto24MegapixelsProgressive(benchmark::State& state) { tickWithPhoto(state, QSize(6000, 4000), true); }

// What a worker thread spends on a 24-megapixel progressive photo.
void BM_DecodeProgressive24Megapixels(benchmark::State& state)
{
    MainWindowHarness harness(false);
    const QString path = harness.writeFile(QStringLiteral("a.jpg"), cachedPhoto(QSize(6000, 4000), true));
    for (auto _ : state)
        benchmark::DoNotOptimize(loadVisiblePicture(path, QSize(657, 481)));
}

void BM_StartUpWithJpegFiles(benchmark::State& state)
{
    MainWindowHarness harness(false);
    const QByteArray small = cachedPhoto(QSize(64, 48), false);
    for (int i = 0; i < state.range(0); ++i)
        harness.writeFile(QStringLiteral("picture%1.jpg").arg(i, 5, 10, QLatin1Char('0')), small);
    for (auto _ : state) {
        state.PauseTiming();
        harness->List3->Clear();  // start-up fills it once
        state.ResumeTiming();
        harness->Form_Load();
    }
    if (harness->List3->ListCount() != state.range(0))
        state.SkipWithError("picture list incomplete");
}

constexpr int kRuns = 31;
BENCHMARK(BM_TickPhoto24Megapixels)->Iterations(1)->Repetitions(kRuns)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TickPhotoScreenSized)->Iterations(1)->Repetitions(kRuns)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TickPhoto24MegapixelsProgressive)->Iterations(1)->Repetitions(11)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeProgressive24Megapixels)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUpWithJpegFiles)->Arg(0)->Arg(5000)->Iterations(1)->Repetitions(15)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
