// Any section, key and value text: written and read back, each comes back exactly,
// and the file is one the reader takes whole.
#include "platform/store/IniDocument.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstring>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // UTF-16 code units, lone surrogates included, split at the first two U+0001.
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, size / 2 * 2);
    const QStringList parts = text.split(QChar(1));
    const QString section = parts.size() > 2 ? parts.at(0) : QStringLiteral("Scores");
    const QString key = parts.size() > 2 ? parts.at(1) : parts.size() > 1 ? parts.at(0) : QStringLiteral("Name1");
    const QString value = parts.last();

    const QString speedSection = QStringLiteral("Settings");
    const QString speedKey = QStringLiteral("Speed");
    IniDocument written;
    written.setValue(speedSection, speedKey, QStringLiteral("2"));
    written.setValue(section, key, value);
    IniDocument read;
    if (!read.parse(written.text()) || read.value(section, key) != value)
        std::abort();
    if ((section != speedSection || key != speedKey) && read.value(speedSection, speedKey) != QStringLiteral("2"))
        std::abort();
    return 0;
}
