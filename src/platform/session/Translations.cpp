#include "platform/session/Translations.h"

#include "platform/session/App.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QString>

Translations::Translations(const QLocale &locale, const QString &folder, const QString &program)
{
    for (QString language : locale.uiLanguages()) {
        language.replace(u'-', u'_');
        // A player who puts English before any language we have gets English.
        if (QLocale(language).language() == QLocale::English)
            return;
        if (m_program.load(program + u'_' + language, folder))
            break;
    }
    if (m_program.isEmpty())
        return;
    QCoreApplication::installTranslator(&m_program);
    App::setLanguage(m_program.language());
    // Qt's texts follow the program's language, never the locale alone, so that no
    // window mixes two languages where the program has no translation.
    if (m_qt.load(QLocale(m_program.language()), QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qt);
}

Translations::~Translations()
{
    QCoreApplication::removeTranslator(&m_qt);
    QCoreApplication::removeTranslator(&m_program);
    App::setLanguage({});
}

QString Translations::folder()
{
    return App::path() + QStringLiteral("/translations");
}
