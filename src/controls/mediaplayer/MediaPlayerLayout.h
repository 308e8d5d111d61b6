#pragma once
// Where the media player control puts itself, its picture and its bar.
// Pure rules: no widgets are touched here.

#include <QRect>
#include <QSize>

// How big the picture is drawn: a share of the video's own size, or fitted
// into the control's rectangle with its shape kept.
enum class PlayerZoom { Half, Actual, Double, Fit };

struct PlayerLayout {
    QRect control;  // in the control's parent
    QRect screen;   // the picture area, in the control; empty without one
    QRect picture;  // the picture, in the screen area (it may overrun it)
    QRect bar;      // in the control
};

struct PlayerLayoutInput {
    QRect design;          // the rectangle the form gives the control
    QSize bounds;          // the parent's size: what lies beyond is cut off
    int barHeight = 0;
    int barMinWidth = 0;
    QSize video;           // invalid or empty: no picture
    bool message = false;  // a message fills the picture area instead
    PlayerZoom zoom = PlayerZoom::Fit;
};

PlayerLayout layOutPlayer(const PlayerLayoutInput& in);

// The largest rectangle of the picture's shape inside area, centred.
QRect fittedPicture(QSize picture, const QRect& area);

// The zoom's share of the video's own size (Fit: 0).
double zoomFactor(PlayerZoom zoom);
