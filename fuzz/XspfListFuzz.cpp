// Fuzzes the reader of XSPF lists (XML, URI locations); see ListReaderFuzz.h.
#include "ListReaderFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzzListReader(ReadXspf, WriteXspf, true, data, size);
}
