// Damaged media through the real engine (libVLC, no sound card, no window):
// every mutant of a valid WAV, MP3, MIDI, AVI, MPG and MOV must reach
// Playing, its end or the unplayable state, the engine must play a good file
// afterwards, and no call on the GUI thread may wait for libVLC.
//
//   SORVAN_MUTATE_SECONDS  how long to keep making mutants (20)
//   SORVAN_MUTANTS         how many mutants to make instead, however long
//                          they take (the same ones on every machine)
//   SORVAN_MUTATE_SEED     the random seed (1)
//   SORVAN_MUTANT_PENDING  where each mutant is written before it is opened,
//                          so that a crash leaves it behind (scripts/mutate-media)
//   SORVAN_MUTANT_KEEP     folder that keeps the mutants that hung
#include "engine/vlc/VlcMediaEngine.h"
#include "engine/MediaMutator.h"
#include "engine/MediaTestFiles.h"
#include "support/WaitFor.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using State = MediaEngine::State;

namespace {

// How long a medium may take to be playing, ended or refused.
constexpr int kBoundMs = 2000;

struct Kind {
    QString name;
    QStringList ffmpeg;  // arguments that make it; empty: made in memory
};

const QList<Kind> kKinds = {
    {"tone.wav", {}},
    {"song.mid", {}},
    {"tune.mp3", {"-f", "lavfi", "-i", "sine=frequency=440:duration=1", "-c:a", "libmp3lame", "-b:a", "64k"}},
    {"clip.avi", {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=10:duration=1", "-f", "lavfi", "-i",
                  "sine=frequency=440:duration=1", "-c:v", "mjpeg", "-c:a", "pcm_s16le"}},
    {"clip.mpg", {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=1", "-f", "lavfi", "-i",
                  "sine=frequency=440:duration=1", "-c:v", "mpeg1video", "-c:a", "mp2", "-f", "mpeg"}},
    {"movie.mov", {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=10:duration=1", "-f", "lavfi", "-i",
                   "sine=frequency=440:duration=1", "-c:v", "mjpeg", "-c:a", "pcm_s16le"}},
};

int setting(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

struct Tally {
    int mutants = 0, playing = 0, ended = 0, unplayable = 0, hangs = 0;
};

// One engine and what it last reported for the medium it was given last.
class Watched {
public:
    Watched()
    {
        QObject::connect(m_engine.get(), &MediaEngine::stateChanged, [this](State s) {
            if (s == State::Playing || s == State::Ended || s == State::Error)
                m_outcome = s;
        });
    }
    // Opens path and waits (serving events) for its outcome; Empty when none
    // came within the bound. slowestCall gets the longest open() call.
    State open(const QString& path, qint64* slowestCall)
    {
        m_outcome = State::Empty;
        QElapsedTimer call;
        call.start();
        m_engine->open(path);
        *slowestCall = std::max(*slowestCall, call.elapsed());
        waitFor([this] { return m_outcome != State::Empty; }, kBoundMs);
        return m_outcome;
    }

private:
    std::unique_ptr<MediaEngine> m_engine = makeVlcMediaEngine({"--aout=adummy", "--vout=vdummy"});
    State m_outcome = State::Empty;
};

} // namespace

TEST(MutatedMedia, EveryMutantEndsPlayingEndedOrUnplayableAndTheEngineGoesOn)
{
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (ffmpeg.isEmpty())
        GTEST_SKIP() << "ffmpeg is not installed";
    QTemporaryDir dir;
    std::map<QString, QByteArray> valid;
    for (const Kind& kind : kKinds) {
        const QString path = dir.filePath(kind.name);
        if (kind.name.endsWith(".wav")) {
            write(path, mediatest::sineWav(1.0));
        } else if (kind.name.endsWith(".mid")) {
            write(path, mediatest::smallMidi());
        } else {
            QProcess make;
            make.start(ffmpeg, QStringList{"-v", "error", "-y"} + kind.ffmpeg + QStringList{path});
            ASSERT_TRUE(make.waitForFinished(60000));
            ASSERT_EQ(make.exitCode(), 0) << make.readAllStandardError().constData();
        }
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        valid[kind.name] = file.readAll();
    }

    const QString pending = qEnvironmentVariable("SORVAN_MUTANT_PENDING");
    QString pendingFile;
    const QString keep = qEnvironmentVariable("SORVAN_MUTANT_KEEP", QDir::current().filePath("mutant-hangs"));
    std::mt19937_64 random(quint64(setting("SORVAN_MUTATE_SEED", 1)));
    const qint64 budgetMs = qint64(setting("SORVAN_MUTATE_SECONDS", 20)) * 1000;
    const int count = setting("SORVAN_MUTANTS", 0);
    std::map<QString, Tally> tally;
    QStringList hangs;
    qint64 slowestCall = 0;
    auto engine = std::make_unique<Watched>();
    QElapsedTimer clock;
    clock.start();
    for (int n = 0; count > 0 ? n < count : clock.elapsed() < budgetMs; ++n) {
        const Kind& kind = kKinds[n % kKinds.size()];
        const auto mutation = mediatest::Mutation(std::uniform_int_distribution<int>(0, mediatest::kMutationCount - 1)(random));
        const QByteArray bytes = mediatest::mutate(valid[kind.name], mutation, random);
        const QString path = dir.filePath(QStringLiteral("mutant-%1-%2").arg(n).arg(kind.name));
        write(path, bytes);
        if (!pending.isEmpty()) {  // only the mutant being opened is left there
            QFile::remove(pendingFile);
            pendingFile = pending + QLatin1Char('.') + QFileInfo(kind.name).suffix();
            write(pendingFile, bytes);
        }
        Tally& t = tally[kind.name];
        ++t.mutants;
        State outcome = engine->open(path, &slowestCall);
        if (outcome == State::Empty)  // a machine under load gets a second chance
            outcome = engine->open(path, &slowestCall);
        if (outcome == State::Empty) {
            ++t.hangs;
            QDir().mkpath(keep);
            const QString kept = QDir(keep).filePath(QFileInfo(path).fileName());
            QFile::copy(path, kept);
            hangs << QStringLiteral("%1 (%2)").arg(kept, QString::fromLatin1(mediatest::mutationName(mutation)));
            engine = std::make_unique<Watched>();  // the stuck one winds down on its own
        }
        t.playing += outcome == State::Playing;
        t.ended += outcome == State::Ended;
        t.unplayable += outcome == State::Error;
        // The engine stays usable: a good file plays after every tenth mutant.
        if (n % 10 == 9) {
            const State good = engine->open(dir.filePath(QStringLiteral("tone.wav")), &slowestCall);
            EXPECT_TRUE(good == State::Playing || good == State::Ended) << "after mutant " << path.toStdString();
        }
        // Earlier mutants go once libVLC has let go of them.
        QFile::remove(dir.filePath(QStringLiteral("mutant-%1-%2").arg(n - 2).arg(kKinds[(n + kKinds.size() - 2) % kKinds.size()].name)));
    }
    for (const auto& [name, t] : tally)
        std::printf("[ mutants ] %-10s %4d mutants: %4d playing, %4d ended, %4d unplayable, %d hung\n",
                    qPrintable(name), t.mutants, t.playing, t.ended, t.unplayable, t.hangs);
    std::printf("[ mutants ] slowest open() on the GUI thread: %lld ms\n", static_cast<long long>(slowestCall));
    EXPECT_TRUE(hangs.isEmpty()) << "hung for over " << 2 * kBoundMs << " ms:\n" << hangs.join('\n').toStdString();
}
