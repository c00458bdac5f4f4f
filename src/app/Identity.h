#pragma once

#include <QString>

#include <initializer_list>

class QIcon;

// Who the program is: the name its windows, settings and mixer entry carry, its
// version and its icon. The platform learns them from Qt's application properties,
// which apply() sets.
class Identity
{
public:
    static QString title();
    static QString version();
    // The name of the desktop entry and of the icon in the icon theme.
    static QString desktopName();
    // The program's icon in the given pixel sizes (16, 32, 48, 64, 128, 256).
    static QIcon icon(std::initializer_list<int> sizes);
    // Sets the application's name, version and desktop entry; callable before the
    // application object exists.
    static void apply();
};
