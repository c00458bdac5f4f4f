#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QSettings>

class QIODevice;

// Reads and writes settings as INI text in the dialect QSettings::IniFormat reads,
// with keys written literally where that dialect allows ("Last Name Entered" rather
// than "Last%20Name%20Entered"). It backs a registered QSettings format so that the
// write can refuse a short write: Qt 6.4's own INI writer commits a file truncated by
// a full disk as if it were whole.
class IniCodec
{
public:
    static QByteArray encode(const QSettings::SettingsMap &map);
    // Returns false when some line could not be parsed; every readable key is still read.
    static bool decode(QByteArrayView data, QSettings::SettingsMap &map);

    // The QSettings format using this codec for "<name>.ini" files (registered once).
    static QSettings::Format format();

private:
    static bool readDevice(QIODevice &device, QSettings::SettingsMap &map);
    static bool writeDevice(QIODevice &device, const QSettings::SettingsMap &map);
};
