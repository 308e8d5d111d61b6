#include "system/FileNames.h"

namespace {
constexpr char16_t kRawByteBase = 0xDC00;  // a kept byte b is kRawByteBase + b
constexpr char16_t kFirstRawByte = 0xDC80;
constexpr char16_t kLastRawByte = 0xDCFF;

bool isRawByte(char16_t c)
{
    return c >= kFirstRawByte && c <= kLastRawByte;
}

// The length of the valid UTF-8 sequence at bytes[i] and its code point; 0
// when the bytes there are not one (a stray continuation byte, a cut or
// overlong sequence, an encoded surrogate, a code point past U+10FFFF).
int validSequence(QByteArrayView bytes, qsizetype i, char32_t& point)
{
    const auto lead = uchar(bytes[i]);
    int length = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, point = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, point = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, point = lead & 0x07, least = 0x10000;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (int k = 1; k < length; ++k) {
        const auto next = uchar(bytes[i + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        point = (point << 6) | (next & 0x3F);
    }
    if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
        return 0;
    return length;
}
} // namespace

namespace sys {

QString nameFromBytes(QByteArrayView bytes)
{
#ifdef Q_OS_WIN
    return QString::fromUtf8(bytes);
#else
    if (bytes.isValidUtf8())
        return QString::fromUtf8(bytes);
    QString name;
    name.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const auto byte = uchar(bytes[i]);
        char32_t point = byte;
        const int length = byte < 0x80 ? 1 : validSequence(bytes, i, point);
        if (length == 0) {
            name.append(QChar(char16_t(kRawByteBase + byte)));
            ++i;
            continue;
        }
        // One character as it is: QString::fromUcs4 would drop a U+FEFF as a mark.
        name.append(QStringView(QChar::fromUcs4(point)));
        i += length;
    }
    return name;
#endif
}

QByteArray bytesOfName(QStringView name)
{
    if (!holdsRawBytes(name))
        return name.toUtf8();
    QByteArray bytes;
    bytes.reserve(name.size() * 3);
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < name.size() && QChar::isLowSurrogate(name[i + 1].unicode())) {
            bytes.append(name.mid(i, 2).toUtf8());
            ++i;
        } else if (isRawByte(c)) {
            bytes.append(char(c - kRawByteBase));
        } else {
            // Any other lone surrogate has no bytes: it becomes U+FFFD.
            bytes.append(name.mid(i, 1).toUtf8());
        }
    }
    return bytes;
}

bool holdsRawBytes(QStringView name)
{
#ifdef Q_OS_WIN
    Q_UNUSED(name);
    return false;
#else
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < name.size() && QChar::isLowSurrogate(name[i + 1].unicode()))
            ++i;
        else if (isRawByte(c))
            return true;
    }
    return false;
#endif
}

} // namespace sys
