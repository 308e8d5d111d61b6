#include "controls/mediaplayer/PlaybackRates.h"

QList<PlaybackRate> PlaybackRates()
{
    return {{0.5, QStringLiteral("0.5倍")},
            {1.0, QStringLiteral("1倍")},
            {1.5, QStringLiteral("1.5倍")},
            {2.0, QStringLiteral("2倍")}};
}

double MinimumPlaybackRate()
{
    return PlaybackRates().constFirst().rate;
}

double MaximumPlaybackRate()
{
    return PlaybackRates().constLast().rate;
}

bool IsPlaybackRateInRange(double rate)
{
    return rate >= MinimumPlaybackRate() && rate <= MaximumPlaybackRate();
}
