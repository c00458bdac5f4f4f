#pragma once

#include <QTranslator>

class QLocale;
class QString;

// The program's translation for the user's language and Qt's own for the same
// language (its Yes and No, its text fields' menus), installed for the life of this
// object. English, the language of the sources, where no translation matches.
class Translations
{
public:
    // folder holds the program's translations, <program>_<language>.qm.
    Translations(const QLocale &locale, const QString &folder, const QString &program);
    ~Translations();
    Translations(const Translations &) = delete;
    Translations &operator=(const Translations &) = delete;

    // The folder of the program's translations beside its executable.
    static QString folder();

private:
    QTranslator m_program;
    QTranslator m_qt;
};
