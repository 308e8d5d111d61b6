// Fuzzes the reader of PLS lists (numbered keys in any order); see ListReaderFuzz.h.
#include "ListReaderFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzzListReader(ReadPls, WritePls, false, data, size);
}
