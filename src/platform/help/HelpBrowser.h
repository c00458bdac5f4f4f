#pragma once

#include <QTextBrowser>

// The text pane of the help window. A help file is shown as its own HTML, but it
// never reaches beyond itself: no pictures, style sheets or pages are loaded from
// disk or network, and links are only reported, never followed.
class HelpBrowser : public QTextBrowser
{
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget *parent = nullptr);

    // A blank stand-in for every picture and an empty text for everything else.
    QVariant loadResource(int type, const QUrl &name) override;
};
