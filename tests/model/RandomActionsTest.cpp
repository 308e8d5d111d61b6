// Random sequences of what a user can do, each action followed by a
// comparison of the whole window with the reference model. A failure prints
// its seed and a shortest sequence that still fails, ready to paste into
// the replay table below.
//
//   SORVAN_SEQUENCES  how many sequences (200)
//   SORVAN_ACTIONS    actions in each (500)
//   SORVAN_SEED       the first seed (1); sequence i uses seed + i
#include "model/ActionWorld.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace model;

namespace {

int setting(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

Sequence parse(const QStringList& lines)
{
    Sequence sequence;
    for (const QString& line : lines) {
        const std::optional<Action> action = parseAction(line);
        EXPECT_TRUE(action.has_value()) << line.toStdString();
        if (action)
            sequence.push_back(*action);
    }
    return sequence;
}

// The help window's web view is the harness's plain stand-in.
class RandomActions : public ::testing::Test {};

} // namespace

TEST_F(RandomActions, EveryActionLeavesTheWindowAsTheModelSays)
{
    const int sequences = setting("SORVAN_SEQUENCES", 200);
    const int length = setting("SORVAN_ACTIONS", 500);
    const quint64 firstSeed = quint64(setting("SORVAN_SEED", 1));
    qint64 done = 0, checks = 0;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < sequences; ++i) {
        const quint64 seed = firstSeed + quint64(i);
        Generator generator(seed);
        Sequence sequence;
        QString problem;
        {
            ActionWorld world;
            while (problem.isEmpty() && int(sequence.size()) < length) {
                sequence.push_back(generator.next(world.listCount()));
                problem = world.step(sequence.back());
            }
            done += world.done;
            checks += world.checks;
        }
        if (problem.isEmpty())
            continue;
        std::printf("seed %llu failed after %zu actions; shrinking\n", static_cast<unsigned long long>(seed),
                    sequence.size());
        const Sequence shortest = shrink(sequence, runSequence);
        const Outcome again = runSequence(shortest);
        FAIL() << "seed " << seed << ", action " << sequence.size() << ": " << problem.toStdString()
               << "\nshortest sequence that fails (" << shortest.size() << " actions):\n"
               << printSequence(shortest).toStdString() << "\nwhich ends in: " << again.message.toStdString();
    }
    std::printf("[ random  ] %d sequences of %d actions passed: %lld actions done, %lld invariants checked, %lld ms\n",
                sequences, length, static_cast<long long>(done), static_cast<long long>(checks),
                static_cast<long long>(clock.elapsed()));
}

// The shrinker keeps only what a failure needs: here a failure that comes
// from a click on the picture followed, at any distance, by a tick.
TEST_F(RandomActions, ShrinkingLeavesOnlyWhatTheFailureNeeds)
{
    const Runner needsClickThenTick = [](const Sequence& sequence) {
        bool clicked = false;
        for (int i = 0; i < int(sequence.size()); ++i) {
            clicked = clicked || sequence[i].kind == Kind::ImageClick;
            if (clicked && sequence[i].kind == Kind::Tick)
                return Outcome{i, QStringLiteral("failed")};
        }
        return Outcome{};
    };
    Generator generator(42);
    Sequence sequence;
    while (needsClickThenTick(sequence).failedAt < 0 || sequence.size() < 60)
        sequence.push_back(generator.next(3));
    const Sequence shortest = shrink(sequence, needsClickThenTick);
    ASSERT_EQ(shortest.size(), 2u) << printSequence(shortest).toStdString();
    EXPECT_EQ(shortest[0].kind, Kind::ImageClick);
    EXPECT_EQ(shortest[1].kind, Kind::Tick);
    EXPECT_EQ(parse(printSequence(shortest).remove('"').remove(',').split('\n')), shortest) << "prints as it reads";
}

// Shrunk sequences replay as plain tests: paste a failing run's lines here.
TEST_F(RandomActions, ShrunkSequencesReplay)
{
    const QList<QStringList> sequences = {
        // A cancel after an open takes saving away again.
        {"mnuFileOpen good 7", "mnuFileOpen cancel 0"},
        // CD mode with a drive that goes away while a track plays, then the
        // play list's keys and a tick.
        {"mnuCD good 2", "CD button play", "CD vanish", "CD button next", "CD button eject", "mnuCDEnd cancel 0",
         "List2 key Down", "Timer1 tick"},
    };
    for (const QStringList& lines : sequences) {
        const Outcome outcome = runSequence(parse(lines));
        EXPECT_EQ(outcome.failedAt, -1) << lines.join(" / ").toStdString() << "\n" << outcome.message.toStdString();
    }
}
