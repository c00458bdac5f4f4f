#include "platform/HelpBrowser.h"

#include <QByteArray>

HelpBrowser::HelpBrowser(QWidget *parent)
    : QTextBrowser(parent)
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setSearchPaths({});
}

QVariant HelpBrowser::loadResource(int, const QUrl &)
{
    // A null answer would let the document read the file itself; an empty one ends it.
    return QVariant(QByteArray());
}
