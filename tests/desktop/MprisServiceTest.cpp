// The MPRIS service alone, against a fake of what is playing and a runner of
// its own: what each request comes to, and how it is handed to the runner.
#include "desktop/mpris/MprisService.h"

#include <QDBusConnection>
#include <gtest/gtest.h>
#include <limits>

namespace {
class FakeNowPlaying final : public NowPlaying {
public:
    QStringList calls;
    qint64 position = 0;
    bool hasNext = true;

    State state() const override { return State::Playing; }
    Track track() const override { return {true, "k", "t", {}, {}, {}, 10'000'000}; }
    qint64 positionUs() const override { return position; }
    double volume() const override { return 1.0; }
    double rate() const override { return 1.0; }
    double minimumRate() const override { return 0.5; }
    double maximumRate() const override { return 2.0; }
    bool canPlay() const override { return true; }
    bool canPause() const override { return true; }
    bool canSeek() const override { return true; }
    bool canGoNext() const override { return hasNext; }
    bool canGoPrevious() const override { return false; }
    void play() override { calls << "play"; }
    void pause() override { calls << "pause"; }
    void stop() override { calls << "stop"; }
    void next() override { calls << "next"; }
    void previous() override { calls << "previous"; }
    void seekTo(qint64 us) override { calls << QStringLiteral("seek %1").arg(us); }
    void setVolume(double volume) override { calls << QStringLiteral("volume %1").arg(volume); }
    void setRate(double rate) override { calls << QStringLiteral("rate %1").arg(rate); }
};

struct Service {
    FakeNowPlaying player;
    MprisService service{MprisIdentity{}, QDBusConnection(QStringLiteral("no-bus"))};
    Service() { service.setPlayer(&player); }
};
} // namespace

TEST(MprisService, ASeekAddsUpWithoutOverflowAndPastTheEndIsTheNextTrack)
{
    constexpr qint64 kMax = std::numeric_limits<qint64>::max(), kMin = std::numeric_limits<qint64>::min();
    struct Row {
        qint64 position, offset;
        bool hasNext;
        QStringList calls;
    };
    for (const Row& row : {Row{2'000'000, 3'000'000, true, {"seek 5000000"}}, Row{2'000'000, -9'000'000, true, {"seek 0"}},
                           Row{2'000'000, kMax, true, {"next"}}, Row{kMax, kMax, true, {"next"}},
                           Row{2'000'000, kMin, true, {"seek 0"}}, Row{9'000'000, 2'000'000, false, {}}}) {
        SCOPED_TRACE(testing::Message() << row.position << " + " << row.offset);
        Service s;
        s.player.position = row.position;
        s.player.hasNext = row.hasNext;
        EXPECT_TRUE(s.service.seek(row.offset));
        EXPECT_EQ(s.player.calls, row.calls);
    }
}

TEST(MprisService, RequestsReachTheRunnerByKindAndAWaitingSettingTakesTheLatestValue)
{
    Service s;
    using Request = MprisService::Request;
    QList<Request> kinds;
    std::vector<std::function<void()>> held;
    bool room = true;
    s.service.setRequestRunner([&](std::function<void()> step, Request kind) {
        if (!room && kind != Request::Setting)
            return false;
        kinds << kind;
        held.push_back(std::move(step));
        return true;
    });
    s.service.setVolume(0.2);
    s.service.setVolume(0.7);
    s.service.setRate(1.5);
    s.service.setRate(9.0);  // beyond the player's speeds: no request
    EXPECT_TRUE(s.service.next());
    EXPECT_TRUE(s.service.play());
    room = false;
    EXPECT_FALSE(s.service.setPosition(QDBusObjectPath("/t"), 0)) << "the caller learns that it was not taken";
    s.service.setVolume(0.4);  // the waiting request takes it
    EXPECT_EQ(kinds, (QList<Request>{Request::Setting, Request::Setting, Request::Step, Request::Transport}));
    for (const auto& step : held)
        step();
    EXPECT_EQ(s.player.calls, (QStringList{"volume 0.4", "rate 1.5", "next", "play"}));
}
