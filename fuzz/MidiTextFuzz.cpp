// Fuzzes the reader of MIDI text events (standard and RIFF MIDI files).
// Besides crashes, undefined behaviour and reads past the end, it checks
// what the reader promises: no field holds a NUL or exceeds its bound.
#include "engine/tags/MidiText.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const MediaTags tags = readMidiText(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    for (const QString* field : {&tags.title, &tags.artist, &tags.album, &tags.copyright}) {
        if (field->contains(QChar(0)) || field->size() > MediaTagReader::kMaxFieldLength) {
            std::fprintf(stderr, "MIDI text reader: a field with a NUL or too long\n");
            std::abort();
        }
    }
    return 0;
}
