// Fuzzes the reader of an AVI's INFO list, the input standing for the whole
// file. Besides crashes, undefined behaviour and reads past the end, it
// checks what the reader promises: it asks only for offsets in the file,
// for a bounded number of bytes in all (chunk headers and one INFO list,
// never what lies between them), and no field holds a NUL or exceeds its
// bound.
#include "engine/tags/RiffInfo.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "AVI INFO reader: %s\n", what);
    std::abort();
}

// Every chunk header, the size of each INFO list, and the file's header.
constexpr qint64 kMostAskedFor = 12 + kMaxRiffChunks * (8 + 4) + kMaxRiffInfoBytes;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray file = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    qint64 askedFor = 0;
    const MediaTags tags = readRiffInfo([&](qint64 offset, qint64 length) {
        if (offset < 0 || length < 0)
            fail("a negative offset or length");
        askedFor += length;
        if (askedFor > kMostAskedFor)
            fail("more bytes asked for than chunk headers and one INFO list");
        return offset >= file.size() ? QByteArray() : file.mid(offset, length);
    });
    for (const QString* field : {&tags.title, &tags.artist, &tags.album, &tags.copyright}) {
        if (field->contains(QChar(0)) || field->size() > MediaTagReader::kMaxFieldLength)
            fail("a field with a NUL or too long");
    }
    return 0;
}
