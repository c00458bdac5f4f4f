#pragma once

#include <QString>

// What the program knows of itself: its title and version (the application's name
// and version, which the program sets at start), the folder of its executable, the
// language it speaks and the help-file path that start-up sets.
class App
{
public:
    static QString title();
    static int major();
    static int minor();
    static int revision();
    // Folder of the executable, without a trailing separator.
    static QString path();
    // The language of the program's translation in use ("de"), empty for English.
    static QString language();
    static void setLanguage(const QString &language);
    // The file's version for the language in use, named with the language before
    // its suffix ("Tessaly_de.hlp"), when there is one; else the file itself.
    static QString localized(const QString &file);
    static QString helpFile();
    static void setHelpFile(const QString &file);
};
