#pragma once
// The playback speeds the player offers, in one table: the context menu's
// choices, in their order, and the range a request from elsewhere (the
// desktop's player controls) must lie in.

#include <QList>
#include <QString>

struct PlaybackRate {
    double rate;
    QString caption;
};

// 0.5, 1, 1.5 and 2 times, slowest first.
QList<PlaybackRate> PlaybackRates();
double MinimumPlaybackRate();
double MaximumPlaybackRate();
// True for a speed from the slowest to the fastest of the table.
bool IsPlaybackRateInRange(double rate);
