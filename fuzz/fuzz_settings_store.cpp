// Any bytes at the settings path: the store starts, keeps every value it read through
// a save and a flush, and keeps the original as .bad whenever it could not read it all.
#include "platform/store/IniDocument.h"
#include "platform/store/IniSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <array>
#include <cstdint>
#include <cstdlib>

namespace {

const QString app = QStringLiteral("Tessaly");

std::array<QString, 12> gameValues(IniSettingsStore &store)
{
    std::array<QString, 12> values;
    for (int i = 0; i < 5; ++i) {
        values[std::size_t(i)] = store.get(app, QStringLiteral("Scores"), QStringLiteral("Score%1").arg(i + 1), QStringLiteral("0"));
        values[std::size_t(5 + i)] = store.get(app, QStringLiteral("Scores"), QStringLiteral("Name%1").arg(i + 1), QStringLiteral("Anonymous"));
    }
    values[10] = store.get(app, QStringLiteral("Scores"), QStringLiteral("Last Name Entered"), QStringLiteral("Anonymous"));
    values[11] = store.get(app, QStringLiteral("Settings"), QStringLiteral("Speed"), QStringLiteral("1"));
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir folder;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = folder.filePath(QStringLiteral("Tessaly/Tessaly.ini"));
    QDir().mkpath(folder.filePath(app));
    QFile::remove(path + QStringLiteral(".bad"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::abort();
    }
    const bool understood = IniDocument().parse(bytes);

    std::array<QString, 12> before;
    {
        IniSettingsStore store(folder.path());
        before = gameValues(store);
        store.save(app, QStringLiteral("Scores"), QStringLiteral("Name5"), before[9]);
        if (!store.flush())
            std::abort();
    }
    QFile copy(path + QStringLiteral(".bad"));
    if (copy.exists() == understood || (copy.exists() && (!copy.open(QIODevice::ReadOnly) || copy.readAll() != bytes)))
        std::abort();
    IniSettingsStore store(folder.path());
    if (gameValues(store) != before)
        std::abort();
    return 0;
}
