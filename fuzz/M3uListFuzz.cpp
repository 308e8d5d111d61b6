// Fuzzes the readers of M3U lists (the shared decoding order, #EXTENC,
// #EXTINF) and of M3U8 lists (UTF-8, names that keep bytes that are not
// UTF-8); see ListReaderFuzz.h.
#include "ListReaderFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzListReader(ReadM3u, WriteM3u, false, data, size);
    return fuzzListReader(ReadM3u8, WriteM3u, false, data, size);
}
