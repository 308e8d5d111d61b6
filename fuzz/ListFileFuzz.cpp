// Fuzzes the list file reader: encodings, line ends, empty lines. Besides
// crashes and undefined behaviour it checks what the reader promises: no
// entry is empty or holds a line break or a NUL, and a list that was read
// is written and read again unchanged.
#include "playlist/ListFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "list file reader: %s\n", what);
    std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<QStringList> entries = decodeListFile(bytes);
    if (!entries)
        return 0;
    for (const QString& entry : *entries) {
        if (entry.isEmpty())
            fail("an empty entry");
        if (entry.contains(u'\r') || entry.contains(u'\n') || entry.contains(QChar(0)))
            fail("an entry holds a line break or a NUL");
    }

    const std::optional<QByteArray> written = encodeListFile(*entries);
    if (!written) {
        // The one list that cannot be written: its first entry starts with
        // the character of a byte-order mark.
        if (entries->isEmpty() || !entries->first().startsWith(QChar(0xFEFF)))
            fail("a list that was read cannot be written");
        return 0;
    }
    if (decodeListFile(*written) != entries)
        fail("a list written and read again changed");
    return 0;
}
