#pragma once
// Why a name from outside is not taken. The running window sends a later
// launch the code and the name's position; the launch prints the line from
// its own table and its own name, never text from the socket.

#include <QString>
#include <QStringList>
#include <optional>

enum class Refusal : quint8 {
    NotFound = 1,
    Folder,
    NotRegular,      // a device, a pipe, a socket
    NotMediaOrList,
    NotLocal,        // an address of another scheme than file://
    LineBreak,
    ListNotAlone,
    CdMode,
    NoListNow,
    TooLong,         // longer than any path the system opens
};

// The code as it travels; nothing for a code this program does not know.
std::optional<Refusal> refusalOfCode(quint8 code);
// "not found", "a folder, not a file", …
QString refusalText(Refusal why);
// "sorvan: not found: /m/a.wav"
QString refusalLine(Refusal why, const QString& name);

// Writes lines to standard error, one a line: names as the bytes the system
// gave them, control characters (a line break, an escape) as \x1b.
void writeToStandardError(const QStringList& lines);
