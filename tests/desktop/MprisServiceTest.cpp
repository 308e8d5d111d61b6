// The MPRIS service alone, against a fake of what is playing and a runner of
// its own: what each request comes to, and how it is handed to the runner.
#include "desktop/mpris/MprisService.h"

#include <gtest/gtest.h>
#include <limits>

namespace {
struct FakeNowPlaying final : NowPlaying {
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
} // namespace

TEST(MprisService, ASeekAddsUpWithoutOverflowAndPastTheEndIsTheNextTrack)
{
    constexpr qint64 kMax = std::numeric_limits<qint64>::max(), kMin = std::numeric_limits<qint64>::min();
    for (const auto& [position, offset, hasNext, calls] : std::initializer_list<std::tuple<qint64, qint64, bool, QStringList>>{
             {2'000'000, 3'000'000, true, {"seek 5000000"}}, {2'000'000, -9'000'000, true, {"seek 0"}},
             {2'000'000, kMax, true, {"next"}}, {kMax, kMax, true, {"next"}}, {2'000'000, kMin, true, {"seek 0"}},
             {9'000'000, 2'000'000, false, {}}}) {
        SCOPED_TRACE(testing::Message() << position << " + " << offset);
        FakeNowPlaying player;
        MprisService service(MprisIdentity{}, QDBusConnection(QStringLiteral("no-bus")));
        service.setPlayer(&player);
        player.position = position;
        player.hasNext = hasNext;
        EXPECT_TRUE(service.seek(offset));
        EXPECT_EQ(player.calls, calls);
    }
}

TEST(MprisService, RequestsReachTheRunnerByKindAndAWaitingSettingTakesTheLatestValue)
{
    FakeNowPlaying player;
    MprisService service(MprisIdentity{}, QDBusConnection(QStringLiteral("no-bus")));
    service.setPlayer(&player);
    using Request = MprisService::Request;
    QList<Request> kinds;
    std::vector<std::function<void()>> held;
    bool room = true;
    service.setRequestRunner([&](std::function<void()> step, Request kind) {
        if (!room && kind != Request::Setting)
            return false;
        kinds << kind;
        held.push_back(std::move(step));
        return true;
    });
    service.setVolume(0.2);
    service.setVolume(0.7);
    service.setRate(1.5);
    service.setRate(9.0);  // beyond the player's speeds: no request
    EXPECT_TRUE(service.next());
    EXPECT_TRUE(service.play());
    room = false;
    EXPECT_FALSE(service.setPosition(QDBusObjectPath("/t"), 0)) << "the caller learns that it was not taken";
    service.setVolume(0.4);  // the waiting request takes it
    EXPECT_EQ(kinds, (QList<Request>{Request::Setting, Request::Setting, Request::Step, Request::Transport}));
    for (const auto& step : held)
        step();
    EXPECT_EQ(player.calls, (QStringList{"volume 0.4", "rate 1.5", "next", "play"}));
}
