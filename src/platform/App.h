#pragma once

#include <QString>

// What the program knows of itself: title, version, the folder of its executable
// and the help-file path that start-up sets.
class App
{
public:
    static QString title();
    static int major();
    static int minor();
    static int revision();
    // Folder of the executable, without a trailing separator.
    static QString path();
    static QString helpFile();
    static void setHelpFile(const QString &file);
};
