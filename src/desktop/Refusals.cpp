#include "desktop/Refusals.h"

#include "system/FileNames.h"

#include <cstdio>

std::optional<Refusal> refusalOfCode(quint8 code)
{
    if (code < quint8(Refusal::NotFound) || code > quint8(Refusal::TooLong))
        return std::nullopt;
    return Refusal(code);
}

QString refusalText(Refusal why)
{
    switch (why) {
    case Refusal::NotFound:
        return QStringLiteral("not found");
    case Refusal::Folder:
        return QStringLiteral("a folder, not a file");
    case Refusal::NotRegular:
        return QStringLiteral("not a regular file");
    case Refusal::NotMediaOrList:
        return QStringLiteral("not a media or list file");
    case Refusal::NotLocal:
        return QStringLiteral("not a local file");
    case Refusal::LineBreak:
        return QStringLiteral("a line break in the name");
    case Refusal::ListNotAlone:
        return QStringLiteral("a list file is opened only on its own");
    case Refusal::CdMode:
        return QStringLiteral("not taken in CD mode");
    case Refusal::NoListNow:
        return QStringLiteral("no list file now");
    case Refusal::TooLong:
        return QStringLiteral("the name is too long");
    }
    return QStringLiteral("not taken");
}

QString refusalLine(Refusal why, const QString& name)
{
    return QStringLiteral("sorvan: %1: %2").arg(refusalText(why), name);
}

void writeToStandardError(const QStringList& lines)
{
    for (const QString& line : lines) {
        QByteArray bytes;
        for (const char c : sys::bytesOfName(line)) {
            if (uchar(c) < 0x20 || c == 0x7F)
                bytes += "\\x" + QByteArray::number(uchar(c), 16).rightJustified(2, '0');
            else
                bytes += c;
        }
        std::fprintf(stderr, "%s\n", bytes.constData());
    }
    std::fflush(stderr);
}
