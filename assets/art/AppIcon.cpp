#include "art/AppIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace art {

QImage appIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);

    // A disc in deep blue with a green sheen, like the title line.
    QRadialGradient disc(QPointF(12, 11), 18);
    disc.setColorAt(0.0, QColor(120, 160, 255));
    disc.setColorAt(0.6, QColor(30, 40, 160));
    disc.setColorAt(1.0, QColor(10, 10, 60));
    p.setPen(QPen(QColor(0, 0, 40), 1.0));
    p.setBrush(disc);
    p.drawEllipse(QRectF(1.5, 1.5, 29, 29));
    p.setBrush(QColor(0, 0, 0));
    p.drawEllipse(QRectF(13, 13, 6, 6));

    // A green eighth note across it.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 255, 0));
    p.drawEllipse(QRectF(8, 19, 7, 5.5));
    p.drawRect(QRectF(13.2, 7, 1.8, 15));
    QPainterPath flag;
    flag.moveTo(15, 7);
    flag.cubicTo(19, 9, 23, 10, 21, 16);
    flag.cubicTo(21, 12, 18, 11.5, 15, 11);
    flag.closeSubpath();
    p.drawPath(flag);
    return image;
}

QIcon appIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 256})
        icon.addPixmap(QPixmap::fromImage(appIconImage(size)));
    return icon;
}

} // namespace art
