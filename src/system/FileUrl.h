#pragma once
// The file a file:// address names, as its bytes: the address's path is
// percent-decoded to bytes and kept as FileNames.h keeps them, so that
// file:///m/caf%E9.wav names the Latin-1 file caf\xE9.wav and not
// "caf\uFFFD.wav". A host other than localhost is kept in front ("//host/…"),
// as Qt gives it.

#include <QString>
#include <QUrl>

namespace sys {
// The local name of a file:// address; empty for any other address.
QString nameOfFileUrl(const QUrl& url);
} // namespace sys
