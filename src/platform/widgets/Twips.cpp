#include "platform/widgets/Twips.h"

#include <QFontDatabase>
#include <QStringList>

#include <cmath>

QFont Twips::font(const QString &family, double points, bool bold, bool italic)
{
    QFont f(family);
    f.setPixelSize(int(std::lround(points * 96.0 / 72.0)));
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

void Twips::installFontSubstitutes()
{
    // Liberation fonts are metric-compatible with Arial and Courier New, so text
    // fits the designed label sizes; the old dialog font becomes the desktop's sans.
    const QString sans = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    QFont::insertSubstitutions(QStringLiteral("Arial"), QStringList{QStringLiteral("Liberation Sans"), sans});
    QFont::insertSubstitutions(QStringLiteral("Courier New"), QStringList{QStringLiteral("Liberation Mono")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), QStringList{sans, QStringLiteral("Liberation Sans")});
}
