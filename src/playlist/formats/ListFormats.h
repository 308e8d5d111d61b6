#pragma once
// The kinds of play list file the program knows, one row each: its name, the
// suffixes and the MIME types that name it. Every door that must tell a list
// file from a media file (the list dialog, a drop, the command line, a later
// launch, the desktop's OpenUri) and the desktop entry ask this table, so a
// list format is named in one place only.

#include <QList>
#include <QString>
#include <QStringList>

struct ListFormat {
    enum class Id { Sorvan };
    Id id;
    QString name;          // shown to people who read the code and the logs
    QStringList suffixes;  // without the dot, in lower case
    QStringList mimeTypes;
};

// Every list format, the program's own first.
const QList<ListFormat>& ListFormats();

// The format that a file name's suffix names, in any letter case; nullptr
// when the suffix names none.
const ListFormat* ListFormatOfName(const QString& name);

// True for a file name whose suffix names a list format.
bool IsListFileName(const QString& name);
