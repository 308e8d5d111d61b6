#include "engine/tags/TagLibTagReader.h"

#include "engine/MidiHeader.h"
#include "engine/tags/MidiText.h"
#include "engine/tags/RiffInfo.h"
#include "engine/tags/TagText.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <taglib/fileref.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/infotag.h>
#include <taglib/mpegfile.h>
#include <taglib/tpropertymap.h>
#include <taglib/wavfile.h>

#include <mutex>

namespace {

TagLib::String decodedForTagLib(const TagLib::ByteVector& data)
{
    const QString text = tagText(QByteArrayView(data.data(), data.size()));
    return TagLib::String(text.toStdString(), TagLib::String::UTF8);
}

// TagLib hands every byte string it would take for Latin-1 (or, in RIFF
// INFO, for UTF-8) to these.
class Id3v1Text final : public TagLib::ID3v1::StringHandler {
public:
    TagLib::String parse(const TagLib::ByteVector& data) const override { return decodedForTagLib(data); }
};
class Id3v2Latin1Text final : public TagLib::ID3v2::Latin1StringHandler {
public:
    TagLib::String parse(const TagLib::ByteVector& data) const override { return decodedForTagLib(data); }
};
class RiffInfoText final : public TagLib::RIFF::Info::StringHandler {
public:
    TagLib::String parse(const TagLib::ByteVector& data) const override { return decodedForTagLib(data); }
};

void installStringHandlers()
{
    static std::once_flag once;
    std::call_once(once, [] {
        static const Id3v1Text id3v1;
        static const Id3v2Latin1Text id3v2;
        static const RiffInfoText riff;
        TagLib::ID3v1::Tag::setStringHandler(&id3v1);
        TagLib::ID3v2::Tag::setLatin1StringHandler(&id3v2);
        TagLib::RIFF::Info::Tag::setStringHandler(&riff);
    });
}

QString fromTagLib(const TagLib::String& text)
{
    return tagText(QString::fromUtf8(text.toCString(true)));
}

QString copyrightOf(const TagLib::PropertyMap& properties)
{
    const auto found = properties.find("COPYRIGHT");
    return found == properties.end() || found->second.isEmpty() ? QString() : fromTagLib(found->second.front());
}

MediaTags tagsOf(const TagLib::Tag* tag)
{
    if (!tag)
        return {};
    return {fromTagLib(tag->title()), fromTagLib(tag->artist()), fromTagLib(tag->album()), QString()};
}

// A path as TagLib takes it: UTF-16 on Windows, the locale's bytes elsewhere.
class TagLibName {
public:
    explicit TagLibName(const QString& path) : m_path(path), m_bytes(QFile::encodeName(path)) {}
    operator TagLib::FileName() const
    {
#ifdef Q_OS_WIN
        return reinterpret_cast<const wchar_t*>(m_path.utf16());
#else
        return m_bytes.constData();
#endif
    }

private:
    QString m_path;
    QByteArray m_bytes;
};

MediaTags readMpeg(const QString& path)
{
    const TagLibName name(path);
    TagLib::MPEG::File file(name, false);
    if (!file.isValid())
        return {};
    MediaTags tags = tagsOf(file.tag());
    tags.copyright = copyrightOf(file.properties());
    return tags;
}

MediaTags readWav(const QString& path)
{
    const TagLibName name(path);
    TagLib::RIFF::WAV::File file(name, false);
    if (!file.isValid())
        return {};
    // An ID3v2 tag, where there is one, says more than the INFO list.
    MediaTags tags = file.hasID3v2Tag() ? tagsOf(file.ID3v2Tag()) : MediaTags();
    if (file.hasID3v2Tag())
        tags.copyright = copyrightOf(file.ID3v2Tag()->properties());
    if (file.hasInfoTag()) {
        const MediaTags info = tagsOf(file.InfoTag());
        for (auto [field, fallback] : {std::pair{&tags.title, &info.title}, {&tags.artist, &info.artist},
                                       {&tags.album, &info.album}})
            if (field->isEmpty())
                *field = *fallback;
        if (tags.copyright.isEmpty())
            tags.copyright = fromTagLib(file.InfoTag()->fieldText("ICOP"));
    }
    return tags;
}

MediaTags readOther(const QString& path)
{
    const TagLibName name(path);
    TagLib::FileRef ref(name, false);
    if (ref.isNull())
        return {};
    MediaTags tags = tagsOf(ref.tag());
    tags.copyright = copyrightOf(ref.file()->properties());
    return tags;
}

// The size an ID3v2 tag at the start of the file says it has (28 bits,
// seven to a byte); 0 without one.
qint64 id3v2Size(const QByteArray& head)
{
    if (head.size() < 10 || !head.startsWith("ID3"))
        return 0;
    qint64 size = 0;
    for (int i = 6; i < 10; ++i)
        size = (size << 7) | (static_cast<unsigned char>(head[i]) & 0x7F);
    return size;
}

class TagLibTagReader final : public MediaTagReader {
public:
    TagLibTagReader() { installStringHandlers(); }

    MediaTags read(const QString& localPath) const override
    {
        // Only a regular file: a pipe would wait for a writer, a device may
        // never end.
        const QFileInfo info(localPath);
        if (!info.isFile())
            return {};
        QFile file(localPath);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QByteArray head = file.read(kMidiHeadBytes);
        if (IsMidiHead(head))
            return file.seek(0) ? readMidiText(file.read(kMaxMidiBytes)) : MediaTags();
        if (head.startsWith("RIFF") && head.mid(8, 4) == "AVI ")
            return readRiffInfo([&file](qint64 offset, qint64 size) {
                return file.seek(offset) ? file.read(size) : QByteArray();
            });
        file.close();
        if (id3v2Size(head) > kMaxTagBytes)
            return {};
        if (head.startsWith("RIFF") && head.mid(8, 4) == "WAVE")
            return readWav(localPath);
        const QString suffix = info.suffix().toLower();
        if (head.startsWith("ID3") || suffix == QLatin1String("mp3") || suffix == QLatin1String("mp2"))
            return readMpeg(localPath);
        return readOther(localPath);
    }
};

} // namespace

MediaTagReaderPtr makeTagLibTagReader()
{
    return std::make_shared<const TagLibTagReader>();
}
