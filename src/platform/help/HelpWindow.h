#pragma once

#include "platform/help/HelpFile.h"

#include <QList>
#include <QString>
#include <QWidget>

class HelpBrowser;
class QPushButton;
class QUrl;
class Shell;

// The help viewer's window for one help file: the file's topics one at a time,
// with Contents, Back, Forward and Using Help, beside the program, never modal.
class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    // shell opens web addresses that topics link to; without one they are ignored.
    explicit HelpWindow(Shell *shell, QWidget *parent = nullptr);

    // (Re)reads the file; what cannot be read is reported in the window itself.
    void loadFile(const QString &fileName);
    void showContents();
    void showContext(quint32 context);
    void showHelpOnHelp();
    void showTopic(const QString &id);
    void back();
    void forward();

    QString fileName() const { return m_fileName; }
    bool fileReadable() const { return m_readable; }

private:
    enum class PageKind { Contents, Topic, Context, HelpOnHelp };
    struct Page
    {
        PageKind kind{PageKind::Contents};
        QString id;
        quint32 context{};
    };

    void go(const Page &page);
    void render(const Page &page);
    void updateButtons();
    void openLink(const QUrl &url);
    QString unreadablePage() const;
    QString notFoundPage(const QString &what) const;
    QString unshowablePage(const QString &title) const;
    QString helpOnHelpPage() const;

    Shell *m_shell{};
    HelpFile m_file;
    QString m_fileName;
    bool m_readable{false};
    QList<Page> m_history;
    qsizetype m_position{-1};
    HelpBrowser *m_browser{};
    QPushButton *m_contentsButton{};
    QPushButton *m_backButton{};
    QPushButton *m_forwardButton{};
    QPushButton *m_usingHelpButton{};
};
