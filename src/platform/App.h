#pragma once

#include <QString>

#include <initializer_list>

class QIcon;

// What the program knows of itself: title, icon, version, the folder of its
// executable and the help-file path that start-up sets.
class App
{
public:
    static QString title();
    // The program's icon in the given pixel sizes (16, 32, 48, 64, 128, 256).
    static QIcon icon(std::initializer_list<int> sizes);
    static int major();
    static int minor();
    static int revision();
    // Folder of the executable, without a trailing separator.
    static QString path();
    static QString helpFile();
    static void setHelpFile(const QString &file);
};
