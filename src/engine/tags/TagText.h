#pragma once
// One field of a tag as text: the byte string up to its first NUL, decoded
// in the program's one order for byte strings of unknown encoding, with the
// white space around it removed and its length bounded.

#include <QByteArrayView>
#include <QString>

QString tagText(QByteArrayView bytes);
// A field that was decoded elsewhere (a declared Unicode encoding): cut at
// its first NUL, trimmed and bounded in the same way.
QString tagText(const QString& text);
