// Fuzzes the CD-Text of a drive's answer as libcdio hands it over: the input
// fills a buffer of exactly libcdio's size (cut or padded with zeros), whose
// first two bytes report any length up to 65,537 bytes. AddressSanitizer
// catches any read past that buffer; the fields must be bounded and free of
// NULs.
#include "engine/cdio/CdTextPacks.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {
void check(const QString& field)
{
    if (field.size() > 1024 || field.contains(QChar(0))) {
        std::fprintf(stderr, "drive CD-Text: a field with a NUL or past its bound\n");
        std::abort();
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto buffer = std::make_unique<unsigned char[]>(kLibcdioCdTextBufferBytes);
    std::memset(buffer.get(), 0, kLibcdioCdTextBufferBytes);
    std::memcpy(buffer.get(), data, std::min<std::size_t>(size, kLibcdioCdTextBufferBytes));
    const CdText text = decodeDriveCdText(buffer.get());
    check(text.album);
    check(text.performer);
    for (const CdText::Track& track : text.tracks) {
        check(track.title);
        check(track.performer);
    }
    return 0;
}
