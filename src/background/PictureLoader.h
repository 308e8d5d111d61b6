#pragma once
// Loading a background picture. A picture is shown at its own size with its
// top-left corner at the image control's corner, and the display area cuts
// off whatever lies beyond it, so only the part that can be seen is decoded:
// a photo of many megapixels costs little more than one the size of the
// screen, and the window does not stall on it.

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

class QObject;

// Largest picture (width x height x 4 bytes, as a decoded picture would
// take) that is accepted. A JPEG header claiming more is taken for a damaged
// or hostile file, even though only the visible part would be decoded.
constexpr qint64 kMaxPictureBytes = qint64(512) * 1024 * 1024;

// The top-left part of the JPEG picture at path that fits in visible.
// An empty path gives an empty picture (the background is cleared).
// Gives nothing when the file cannot be shown: missing, unreadable, not a
// JPEG, damaged in the part that would show, or larger than kMaxPictureBytes.
std::optional<QImage> loadVisiblePicture(const QString& path, const QSize& visible);

// A progressive JPEG keeps its picture in several passes over the whole of
// it, so even a small part of it can only be decoded by reading all of it.
// Above this many pixels that takes long enough to be felt.
constexpr qint64 kSlowDecodePixels = 1'000'000;

// Whether the picture at path is a progressive JPEG of more than
// kSlowDecodePixels pixels (and not refused for its size): decoding even its
// visible part would hold up the window, so it is better done elsewhere.
// Reads only the file's markers up to the frame header.
bool slowToDecode(const QString& path);

// loadVisiblePicture on the background pool: done gets its result on the GUI
// thread, and only while receiver lives.
void loadVisiblePictureInBackground(QObject* receiver, const QString& path, const QSize& visible,
                                    std::function<void(std::optional<QImage>)> done);
