// Any bytes as a tone clip: parsed or refused, and a parsed clip converts to the
// sink's format without reading outside its samples.
#include "platform/sound/WaveImage.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto wave = WaveImage::parse(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (wave && wave->frameCount() < 200000) {
        wave->toPcm16(44100, 2);
        wave->toPcm16(8000, 1);
    }
    return 0;
}
