#include "text/TextDecoding.h"

#include <QStringDecoder>

#include <algorithm>

namespace text {
namespace {

constexpr QChar kByteOrderMark(0xFEFF);
// The name ICU gives the Japanese Windows code page (with the vendor
// extensions, and 0x5C as the backslash that separates folders).
constexpr const char* kCp932 = "Shift_JIS";
constexpr auto kDecoderFlags = QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom;

std::optional<QString> decodeWith(QStringDecoder decoder, QByteArrayView bytes)
{
    if (!decoder.isValid())
        return std::nullopt;
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// A lead byte of a CP932 double-byte character.
bool isCp932Lead(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

} // namespace

// UTF-8 has a fast path of its own, many times quicker than a decoder that
// reports errors.
std::optional<QString> decodeUtf8(QByteArrayView bytes)
{
    if (!bytes.isValidUtf8())
        return std::nullopt;
    QString text = QString::fromUtf8(bytes);
    // A mark at the start of these bytes is text: keep it.
    if (bytes.startsWith(kUtf8ByteOrderMark) && !text.startsWith(kByteOrderMark))
        text.prepend(kByteOrderMark);
    return text;
}

// Qt takes the locale encoding to be UTF-8 on every system but Windows.
std::optional<QString> decodeLocale(QByteArrayView bytes)
{
#ifdef Q_OS_WIN
    return decodeWith(QStringDecoder(QStringConverter::System, kDecoderFlags), bytes);
#else
    return decodeUtf8(bytes);
#endif
}

std::optional<QString> decodeCp932(QByteArrayView bytes)
{
    return decodeWith(QStringDecoder(kCp932, kDecoderFlags), bytes);
}

QString decodeCp932Lenient(QByteArrayView bytes)
{
    QStringDecoder decoder(kCp932, QStringDecoder::Flag::Stateless);
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

QString decodeByteString(QByteArrayView bytes)
{
    if (bytes.startsWith(kUtf8ByteOrderMark))
        return QString::fromUtf8(bytes.sliced(kUtf8ByteOrderMark.size()));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        const bool little = bytes.startsWith("\xFF\xFE");
        QStringDecoder decoder(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                               QStringDecoder::Flag::Stateless);
        return decoder.decode(bytes.sliced(2));
    }
    if (std::optional<QString> utf8 = decodeUtf8(bytes))
        return *utf8;
    const bool doubleByte = std::any_of(bytes.begin(), bytes.end(),
                                        [](char c) { return isCp932Lead(static_cast<unsigned char>(c)); });
    if (doubleByte) {
        if (std::optional<QString> cp932 = decodeCp932(bytes))
            return *cp932;
    }
    return QString::fromLatin1(bytes);
}

} // namespace text
