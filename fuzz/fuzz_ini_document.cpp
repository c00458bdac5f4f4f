// Any bytes as a settings file: the reader neither crashes nor hangs, and what it
// writes back is a file it reads whole and writes back unchanged.
#include "platform/store/IniDocument.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    IniDocument first;
    first.parse(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    const QByteArray written = first.text();
    IniDocument second;
    second.parse(written);
    if (second.text() != written)
        std::abort();
    return 0;
}
