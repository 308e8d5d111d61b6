#include "engine/tags/TagLibTagReader.h"

#include "engine/MidiHeader.h"
#include "engine/tags/MidiText.h"
#include "engine/tags/RiffInfo.h"
#include "engine/tags/TagLibStream.h"
#include "engine/tags/TagSource.h"
#include "engine/tags/TagText.h"

#include <taglib/fileref.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2framefactory.h>
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

MediaTags readMpeg(TagLibStream& stream)
{
    TagLib::MPEG::File file(&stream, TagLib::ID3v2::FrameFactory::instance(), false);
    if (!file.isValid())
        return {};
    MediaTags tags = tagsOf(file.tag());
    tags.copyright = copyrightOf(file.properties());
    return tags;
}

MediaTags readWav(TagLibStream& stream)
{
    TagLib::RIFF::WAV::File file(&stream, false);
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

MediaTags readOther(TagLibStream& stream)
{
    TagLib::FileRef ref(&stream, false);
    if (ref.isNull())
        return {};
    MediaTags tags = tagsOf(ref.tag());
    tags.copyright = copyrightOf(ref.file()->properties());
    return tags;
}

// TagLib looks for an ID3v2 tag ahead of the first MPEG frame one byte at a
// time, a slow search (a quarter of a second for the budget). Where none of
// the bytes it may read holds a frame's first byte or "ID3", it would find
// nothing, and only an ID3v1 tag at the end can hold tags.
constexpr qint64 kId3v1Bytes = 128;

bool mayHoldFramesOrId3v2(TagSource& source)
{
    constexpr qint64 kAll = kTagReadBudget - kId3v1Bytes;
    for (qint64 size = 64 * 1024;; size = std::min(size * 4, kAll)) {
        const QByteArrayView start = source.start(size);
        if (start.contains('\xFF') || start.contains("ID3"))
            return true;
        if (start.size() < size || size == kAll)
            return false;
    }
}

// An ID3v1 tag at the end: title, artist and album, each 30 bytes.
MediaTags id3v1Tags(TagSource& source)
{
    const QByteArray tag = source.readAt(source.size() - kId3v1Bytes, kId3v1Bytes);
    if (tag.size() != kId3v1Bytes || !tag.startsWith("TAG"))
        return {};
    const QByteArrayView fields(tag);
    return {tagText(fields.sliced(3, 30)), tagText(fields.sliced(33, 30)), tagText(fields.sliced(63, 30)), {}};
}

// The suffix of a path's file name, in lower case ("mp3").
QString suffixOf(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const qsizetype separator = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return dot > separator ? path.mid(dot + 1).toLower() : QString();
}

class TagLibTagReader final : public MediaTagReader {
public:
    TagLibTagReader() { installStringHandlers(); }

    MediaTags read(const QString& localPath) const override
    {
        // Opened once, and only a regular file: a pipe would wait for a
        // writer, a device may never end. Every read below, TagLib's too,
        // goes through this one handle and its one budget.
        TagSource source(localPath);
        if (!source.isOpen())
            return {};
        const QByteArray head = source.start(kMidiHeadBytes).toByteArray();
        if (IsMidiHead(head))
            return readMidiText(source.readAt(0, kMaxMidiBytes));
        if (head.startsWith("RIFF") && head.mid(8, 4) == "AVI ")
            return readRiffInfo([&source](qint64 offset, qint64 size) { return source.readAt(offset, size); });
        TagLibStream stream(source, localPath);
        if (head.startsWith("RIFF") && head.mid(8, 4) == "WAVE")
            return readWav(stream);
        const QString suffix = suffixOf(localPath);
        if (head.startsWith("ID3"))
            return readMpeg(stream);
        if (suffix == QLatin1String("mp3") || suffix == QLatin1String("mp2"))
            return mayHoldFramesOrId3v2(source) ? readMpeg(stream) : id3v1Tags(source);
        return readOther(stream);
    }
};

} // namespace

MediaTagReaderPtr makeTagLibTagReader()
{
    return std::make_shared<const TagLibTagReader>();
}
