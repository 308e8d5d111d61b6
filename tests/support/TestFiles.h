#pragma once
// Files and pictures for tests: whole files read and written in one step,
// and JPEG data made from an image.

#include <QByteArray>
#include <QImage>
#include <QString>

// The whole file, or "<unreadable>" when it cannot be read.
QByteArray readBytes(const QString& path);
// Writes the whole file; false when it could not be written whole.
bool writeBytes(const QString& path, const QByteArray& bytes);
// The image as JPEG data at quality 90, baseline or progressive.
QByteArray jpegBytes(const QImage& image, bool progressive = false);
