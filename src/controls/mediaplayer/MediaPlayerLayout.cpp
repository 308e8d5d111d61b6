#include "controls/mediaplayer/MediaPlayerLayout.h"

#include <QtGlobal>
#include <cmath>

QRect fittedPicture(QSize picture, const QRect& area)
{
    const QSize size = picture.scaled(area.size(), Qt::KeepAspectRatio);
    return QRect(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2,
                 size.width(), size.height());
}

double zoomFactor(PlayerZoom zoom)
{
    switch (zoom) {
    case PlayerZoom::Half:
        return 0.5;
    case PlayerZoom::Actual:
        return 1.0;
    case PlayerZoom::Double:
        return 2.0;
    case PlayerZoom::Fit:
        break;
    }
    return 0.0;
}

PlayerLayout layOutPlayer(const PlayerLayoutInput& in)
{
    PlayerLayout out;
    const int barHeight = qMin(in.barHeight, in.design.height());
    const bool picture = !in.message && in.video.isValid() && !in.video.isEmpty();

    if (!picture || in.zoom == PlayerZoom::Fit) {
        // The whole design rectangle for a picture or a message, just the bar
        // for sound alone.
        const int height = in.message || picture ? in.design.height() : barHeight;
        out.control = QRect(in.design.topLeft(), QSize(in.design.width(), height));
        out.screen = QRect(0, 0, in.design.width(), height - barHeight);
        if (picture)
            out.picture = fittedPicture(in.video, QRect(QPoint(0, 0), out.screen.size()));
        out.bar = QRect(0, height - barHeight, in.design.width(), barHeight);
        return out;
    }

    // A share of the video's own size from the control's top-left corner,
    // cut off where the parent ends; the bar stays under what shows of it.
    const double factor = zoomFactor(in.zoom);
    const QSize size(qMax(1, int(std::lround(in.video.width() * factor))),
                     qMax(1, int(std::lround(in.video.height() * factor))));
    const int roomWide = in.bounds.isValid() ? in.bounds.width() - in.design.x() : size.width();
    const int roomHigh = in.bounds.isValid() ? in.bounds.height() - in.design.y() : size.height() + barHeight;
    const int width = qMax(0, qMin(qMax(size.width(), in.barMinWidth), roomWide));
    const int shown = qBound(0, roomHigh - barHeight, size.height());
    out.control = QRect(in.design.topLeft(), QSize(width, shown + barHeight));
    out.screen = QRect(0, 0, width, shown);
    out.picture = QRect(QPoint(qMax(0, (width - size.width()) / 2), 0), size);
    out.bar = QRect(0, shown, width, barHeight);
    return out;
}
