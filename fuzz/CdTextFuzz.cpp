// Fuzzes the decoding of CD-Text packs: blocks, character codes, double-byte
// text, repeats. Besides crashes, undefined behaviour and reads past the
// end, it checks that track numbers stay those a disc can have and that
// every field is bounded and free of NULs.
#include "engine/cdio/CdTextPacks.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "CD-Text decoding: %s\n", what);
    std::abort();
}

void check(const QString& field)
{
    if (field.size() > 1024)
        fail("a field past its bound");
    if (field.contains(QChar(0)))
        fail("a field holds a NUL");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const CdText text = decodeCdText(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    check(text.album);
    check(text.performer);
    for (auto it = text.tracks.cbegin(); it != text.tracks.cend(); ++it) {
        if (it.key() < 1 || it.key() > 99)
            fail("a track number no disc has");
        if (it->title.isEmpty() && it->performer.isEmpty())
            fail("a track without text");
        check(it->title);
        check(it->performer);
    }
    return 0;
}
