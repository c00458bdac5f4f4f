#include "platform/help/HelpWindow.h"

#include "platform/help/HelpBrowser.h"
#include "platform/help/HtmlLimits.h"
#include "platform/shell/Shell.h"

#include <QByteArray>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {
QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}
} // namespace

HelpWindow::HelpWindow(Shell *shell, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_shell(shell)
{
    setObjectName(QStringLiteral("helpWindow"));
    // The help stands beside the program: it must never hold the program open.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowModality(Qt::NonModal);

    m_contentsButton = new QPushButton(tr("&Contents"), this);
    m_backButton = new QPushButton(tr("&Back"), this);
    m_forwardButton = new QPushButton(tr("&Forward"), this);
    m_usingHelpButton = new QPushButton(tr("&Using Help"), this);
    m_contentsButton->setObjectName(QStringLiteral("contentsButton"));
    m_backButton->setObjectName(QStringLiteral("backButton"));
    m_forwardButton->setObjectName(QStringLiteral("forwardButton"));
    m_usingHelpButton->setObjectName(QStringLiteral("usingHelpButton"));
    for (QPushButton *button : {m_contentsButton, m_backButton, m_forwardButton, m_usingHelpButton})
        button->setAutoDefault(false);

    m_browser = new HelpBrowser(this);
    m_browser->setObjectName(QStringLiteral("helpText"));
    m_browser->setAccessibleName(tr("Help topic"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_contentsButton);
    buttons->addWidget(m_backButton);
    buttons->addWidget(m_forwardButton);
    buttons->addStretch();
    buttons->addWidget(m_usingHelpButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);

    connect(m_contentsButton, &QPushButton::clicked, this, &HelpWindow::showContents);
    connect(m_backButton, &QPushButton::clicked, this, &HelpWindow::back);
    connect(m_forwardButton, &QPushButton::clicked, this, &HelpWindow::forward);
    connect(m_usingHelpButton, &QPushButton::clicked, this, &HelpWindow::showHelpOnHelp);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpWindow::openLink);

    resize(560, 480);
    updateButtons();
}

void HelpWindow::loadFile(const QString &fileName)
{
    m_fileName = fileName;
    m_readable = m_file.load(fileName);
    QString title = m_readable ? m_file.title() : QString();
    if (title.isEmpty())
        title = tr("%1 Help").arg(QFileInfo(fileName).completeBaseName());
    setWindowTitle(title);
}

void HelpWindow::showContents()
{
    go(Page{PageKind::Contents, QString(), 0});
}

void HelpWindow::showContext(quint32 context)
{
    go(Page{PageKind::Context, QString(), context});
}

void HelpWindow::showHelpOnHelp()
{
    go(Page{PageKind::HelpOnHelp, QString(), 0});
}

void HelpWindow::showTopic(const QString &id)
{
    go(Page{PageKind::Topic, id, 0});
}

void HelpWindow::back()
{
    if (m_position <= 0)
        return;
    --m_position;
    render(m_history.at(m_position));
    updateButtons();
}

void HelpWindow::forward()
{
    if (m_position + 1 >= m_history.size())
        return;
    ++m_position;
    render(m_history.at(m_position));
    updateButtons();
}

void HelpWindow::go(const Page &page)
{
    m_history.resize(m_position + 1);
    m_history.append(page);
    m_position = m_history.size() - 1;
    render(page);
    updateButtons();
}

void HelpWindow::render(const Page &page)
{
    if (page.kind == PageKind::HelpOnHelp) {
        m_browser->setHtml(helpOnHelpPage());
        return;
    }
    if (!m_readable) {
        m_browser->setHtml(unreadablePage());
        return;
    }
    const HelpFile::Topic *topic = nullptr;
    QString missing;
    switch (page.kind) {
    case PageKind::Contents:
        topic = m_file.contents();
        break;
    case PageKind::Topic:
        topic = m_file.topicById(page.id);
        missing = tr("a topic named \"%1\"").arg(page.id);
        break;
    case PageKind::Context:
        topic = m_file.topicByContext(page.context);
        // Shown as the signed number a program passes; the bits are the same.
        missing = tr("a topic for context number %1").arg(qint32(page.context));
        break;
    case PageKind::HelpOnHelp:
        break;
    }
    if (!topic) {
        m_browser->setHtml(notFoundPage(missing));
        return;
    }
    // A topic that could hold up or crash the text engine is not handed to it.
    const QString html = m_file.page(topic->html);
    m_browser->setHtml(HtmlLimits::acceptable(html) ? html : unshowablePage(topic->title));
}

void HelpWindow::updateButtons()
{
    m_backButton->setEnabled(m_position > 0);
    m_forwardButton->setEnabled(m_position + 1 < m_history.size());
}

void HelpWindow::openLink(const QUrl &url)
{
    if (url.scheme().isEmpty() && url.path().isEmpty() && url.hasFragment()) {
        const QString id = url.fragment();
        if (m_readable && m_file.topicById(id))
            showTopic(id);
        else
            m_browser->scrollToAnchor(id);
        return;
    }
    // Only web addresses leave the window, and only through the shell, which hands
    // them to the browser; files, programs and every other scheme stay closed.
    const QString scheme = url.scheme().toLower();
    if (m_shell && (scheme == QLatin1String("http") || scheme == QLatin1String("https")))
        m_shell->shellExecute(this, QByteArrayLiteral("open"), url.toEncoded(), QByteArray(),
                              QByteArray(), Shell::SW_SHOWNORMAL);
}

QString HelpWindow::unreadablePage() const
{
    return tr("<h2>Help Is Unavailable</h2>"
              "<p>The help file <b>%1</b> cannot be opened. It may be missing, empty, "
              "or not readable with your permissions.</p>"
              "<p>Reinstalling the program puts the help file back in place.</p>")
        .arg(escaped(m_fileName));
}

QString HelpWindow::notFoundPage(const QString &what) const
{
    return tr("<h2>Topic Not Found</h2>"
              "<p>The help file <b>%1</b> has no %2.</p>"
              "<p>Press <b>Contents</b> to see the topics it offers.</p>")
        .arg(escaped(m_fileName), escaped(what));
}

QString HelpWindow::unshowablePage(const QString &title) const
{
    return tr("<h2>Topic Cannot Be Shown</h2>"
              "<p>The topic <b>%1</b> of the help file <b>%2</b> is too large or too deeply "
              "nested to be shown.</p>"
              "<p>Press <b>Contents</b> to see the topics it offers.</p>")
        .arg(escaped(title), escaped(m_fileName));
}

QString HelpWindow::helpOnHelpPage() const
{
    return tr("<h2>Using Help</h2>"
              "<p>This window shows the help for a program, one topic at a time. The program "
              "goes on running while it is open, so you can read and play side by side.</p>"
              "<ul>"
              "<li>Click an underlined link to go to the topic it names.</li>"
              "<li><b>Contents</b> (Alt+C) shows the list of all topics.</li>"
              "<li><b>Back</b> (Alt+B) returns to the topic you saw before; "
              "<b>Forward</b> (Alt+F) goes on again after Back.</li>"
              "<li><b>Using Help</b> (Alt+U) shows this page.</li>"
              "<li>Scroll with the mouse wheel, the arrow keys, Page Up and Page Down. "
              "Select text with the mouse and press Ctrl+C to copy it.</li>"
              "<li>Close the window with its close button. It also closes by itself "
              "when the program ends.</li>"
              "</ul>");
}
