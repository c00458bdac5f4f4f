#include "platform/help/HelpBrowser.h"

#include <QByteArray>
#include <QImage>
#include <QPalette>
#include <QTextDocument>

HelpBrowser::HelpBrowser(QWidget *parent)
    : QTextBrowser(parent)
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setSearchPaths({});
    // Help pages set some colours of their own (headings, table heads) for a light
    // page; under a dark theme they would be unreadable, so the page stays light.
    QPalette page = palette();
    page.setColor(QPalette::Base, Qt::white);
    page.setColor(QPalette::Text, Qt::black);
    setPalette(page);
    // Links take the application's link colour, which a dark theme makes pale.
    document()->setDefaultStyleSheet(QStringLiteral("a { color: #0000ee; }"));
}

QVariant HelpBrowser::loadResource(int type, const QUrl &)
{
    // Neither answer may be null or empty: for a null one the document reads a local
    // file itself, and for a picture that decodes to nothing the text engine loads the
    // named file as a picture (a pipe named there froze the game).
    if (type == QTextDocument::ImageResource) {
        static const QImage blank = [] {
            QImage image(1, 1, QImage::Format_ARGB32);
            image.fill(Qt::transparent);
            return image;
        }();
        return blank;
    }
    return QByteArray(" ");
}
