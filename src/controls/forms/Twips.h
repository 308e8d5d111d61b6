#pragma once
// The window layouts are drawn in twips (1/1440 inch). At the logical 96 dpi
// that Qt works in, 15 twips make one logical pixel; Qt scales logical pixels
// on high-density screens itself.

#include <QRect>
#include <cmath>

namespace twips {
constexpr int kPerPixel = 15;

constexpr int toPixels(double twips) { return static_cast<int>(twips / kPerPixel + (twips >= 0 ? 0.5 : -0.5)); }
constexpr double fromPixels(int pixels) { return static_cast<double>(pixels) * kPerPixel; }

inline QRect rect(double left, double top, double width, double height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}
} // namespace twips
