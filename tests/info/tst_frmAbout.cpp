#include "info/frmAbout.h"
#include "platform/session/App.h"
#include "platform/widgets/Twips.h"
#include "support/FakeRegistry.h"
#include "support/ModalAnswer.h"
#include "support/Pixels.h"
#include "support/RecordingShell.h"
#include "support/ScriptedMessageBox.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>

namespace {

const QColor grey{128, 128, 128};

} // namespace

// The About window: what it shows, where, and how it closes.
class TestFrmAbout : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void loadFillsCaptionTitleAndVersion();
    void controlsSitWhereTheDesignPutsThem_data();
    void controlsSitWhereTheDesignPutsThem();
    void windowIsAFixedDialogWithOnlyACloseBox();
    void titleUsesTheLargeBoldItalicFont();
    void textsTakeThePalettesTextColour_data();
    void textsTakeThePalettesTextColour();
    void descriptionFitsOneLineOfItsLabel();
    void keysStartSystemInfoAndKeepTheWindowOpen_data();
    void keysStartSystemInfoAndKeepTheWindowOpen();
    void separatorIsEtchedAcrossTheFullWidth();
    void iconIsTheOwnersIcon();
    void everyWayOfClosingActsAsOk_data();
    void everyWayOfClosingActsAsOk();
    void okHasTheFocusAndTabReachesSystemInfo();

private:
    // The registry names a system tool that the shell can start.
    void installSysInfoTool()
    {
        m_registry.setString(Registry::HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
                             "PATH", "/usr/bin/hardinfo");
        m_shell.startable.insert(QStringLiteral("/usr/bin/hardinfo"));
    }

    std::unique_ptr<QWidget> m_board;
    FakeRegistry m_registry;
    RecordingShell m_shell;
    ScriptedMessageBox m_box{{}, MessageBox::vbOK};
};

void TestFrmAbout::init()
{
    m_board = std::make_unique<QWidget>();
    m_registry = FakeRegistry();
    m_shell = RecordingShell();
    m_box = ScriptedMessageBox({}, MessageBox::vbOK);
}

void TestFrmAbout::loadFillsCaptionTitleAndVersion()
{
    // Load names the window after the application and shows its version numbers.
    frmAbout about(m_registry, m_shell, m_box, m_board.get());
    QCOMPARE(about.windowTitle(), QStringLiteral("About Tessaly"));
    QCOMPARE(about.findChild<QLabel *>(QStringLiteral("lblTitle"))->text(), QStringLiteral("Tessaly"));
    const QString version = about.findChild<QLabel *>(QStringLiteral("lblVersion"))->text();
    QCOMPARE(version, QStringLiteral("Version %1.%2.%3").arg(App::major()).arg(App::minor()).arg(App::revision()));
    QVERIFY(QRegularExpression(QStringLiteral("^Version (0|[1-9][0-9]*)\\.(0|[1-9][0-9]*)\\.(0|[1-9][0-9]*)$"))
                .match(version)
                .hasMatch());
    QVERIFY(!about.findChild<QLabel *>(QStringLiteral("lblDescription"))->text().isEmpty());
    QCOMPARE(about.findChild<QPushButton *>(QStringLiteral("cmdOK"))->text(), QStringLiteral("OK"));
    QCOMPARE(about.findChild<QPushButton *>(QStringLiteral("cmdSysInfo"))->text(),
             QStringLiteral("&System Info..."));
}

void TestFrmAbout::controlsSitWhereTheDesignPutsThem_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");

    // Twips of the design at 15 to the pixel.
    QTest::newRow("Image1") << QStringLiteral("Image1") << QRect(16, 16, 32, 32);
    QTest::newRow("lblTitle") << QStringLiteral("lblTitle") << QRect(56, 4, 259, 32);
    QTest::newRow("lblVersion") << QStringLiteral("lblVersion") << QRect(60, 28, 259, 15);
    QTest::newRow("lblDescription") << QStringLiteral("lblDescription") << QRect(60, 68, 259, 34);
    QTest::newRow("cmdOK") << QStringLiteral("cmdOK") << QRect(235, 99, 84, 23);
    QTest::newRow("cmdSysInfo") << QStringLiteral("cmdSysInfo") << QRect(236, 129, 83, 23);
}

void TestFrmAbout::controlsSitWhereTheDesignPutsThem()
{
    // Each control has the position and size the design gives it.
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    frmAbout about(m_registry, m_shell, m_box, m_board.get());
    QWidget *control = about.findChild<QWidget *>(name);
    QVERIFY2(control, qPrintable(name));
    QCOMPARE(control->geometry(), geometry);
    QVERIFY(!QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).isEmpty());
}

void TestFrmAbout::windowIsAFixedDialogWithOnlyACloseBox()
{
    // Fixed frame of the designed client size; a close box, no minimise or maximise.
    frmAbout about(m_registry, m_shell, m_box, m_board.get());
    QCOMPARE(about.minimumSize(), QSize(328, 159));
    QCOMPARE(about.maximumSize(), QSize(328, 159));
    const Qt::WindowFlags flags = about.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowTitleHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
}

void TestFrmAbout::titleUsesTheLargeBoldItalicFont()
{
    // The title stands out: 12 point bold italic; the version keeps the dialog font.
    // Both sit at the top of their labels.
    frmAbout about(m_registry, m_shell, m_box, m_board.get());
    auto *title = about.findChild<QLabel *>(QStringLiteral("lblTitle"));
    QCOMPARE(title->font().pixelSize(), 16);
    QVERIFY(title->font().bold());
    QVERIFY(title->font().italic());
    auto *version = about.findChild<QLabel *>(QStringLiteral("lblVersion"));
    QCOMPARE(version->font(), about.font());
    for (QLabel *label : {title, version})
        QCOMPARE(label->alignment(), Qt::AlignLeft | Qt::AlignTop);
}

void TestFrmAbout::textsTakeThePalettesTextColour_data()
{
    QTest::addColumn<QColor>("window");
    QTest::addColumn<QColor>("text");
    QTest::newRow("light theme") << QColor(240, 240, 240) << QColor(Qt::black);
    QTest::newRow("dark theme") << QColor(45, 45, 45) << QColor(230, 230, 230);
}

void TestFrmAbout::textsTakeThePalettesTextColour()
{
    // Title and description are drawn in the theme's text colour, readable on its background.
    QFETCH(QColor, window);
    QFETCH(QColor, text);
    const QPalette before = QApplication::palette();
    QPalette palette = before;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    QApplication::setPalette(palette);
    frmAbout about(m_registry, m_shell, m_box, m_board.get());
    for (const char *name : {"lblTitle", "lblDescription"}) {
        auto *label = about.findChild<QLabel *>(QLatin1String(name));
        QVERIFY2(Pixels::count(label->grab().toImage(), text.rgb()) > 0, name);
    }
    QApplication::setPalette(before);
}

void TestFrmAbout::descriptionFitsOneLineOfItsLabel()
{
    // The description is one line, within its label's width and above the separator,
    // whatever the scale factor the test runs at.
    Twips::installFontSubstitutes();
    frmAbout about(m_registry, m_shell, m_box, m_board.get());
    auto *label = about.findChild<QLabel *>(QStringLiteral("lblDescription"));
    QVERIFY(!label->wordWrap());
    QVERIFY(!label->text().contains(u'\n'));
    const QFontMetricsF metrics(label->font(), label);
    const qreal width = metrics.horizontalAdvance(label->text());
    QVERIFY2(width <= label->contentsRect().width(), qPrintable(QString::number(width)));
    const int separator = about.findChild<QWidget *>(QStringLiteral("Line1(1)"))->y();
    QVERIFY(label->y() + metrics.height() <= separator);
    // As drawn: no ink in the last column, where cut text would run out.
    const QImage image = label->grab().toImage();
    const QColor background = image.pixelColor(image.width() - 1, image.height() - 1);
    for (int y = 0; y < image.height(); ++y)
        QCOMPARE(image.pixelColor(image.width() - 1, y), background);
}

void TestFrmAbout::keysStartSystemInfoAndKeepTheWindowOpen_data()
{
    QTest::addColumn<bool>("enterOnTheButton");
    // As a plain access key does in the other dialogs.
    QTest::newRow("S alone") << false;
    QTest::newRow("Enter with the focus on System Info") << true;
}

void TestFrmAbout::keysStartSystemInfoAndKeepTheWindowOpen()
{
    // S alone, or Enter on the focused button, presses System Info; the window stays open.
    QFETCH(bool, enterOnTheButton);
    installSysInfoTool();
    m_board->show();
    frmAbout about(m_registry, m_shell, m_box, m_board.get());
    QVERIFY(showActive(about));
    if (enterOnTheButton) {
        auto *sysInfo = about.findChild<QPushButton *>(QStringLiteral("cmdSysInfo"));
        sysInfo->setFocus();
        QTest::keyClick(sysInfo, Qt::Key_Return);
    } else {
        QTest::keyClick(about.focusWidget(), 's');
    }
    QCOMPARE(m_shell.started, QStringList{QStringLiteral("/usr/bin/hardinfo")});
    QVERIFY(about.isVisible());
}

void TestFrmAbout::separatorIsEtchedAcrossTheFullWidth()
{
    // A grey pixel row over a white two-pixel row, from the left edge to the right.
    frmAbout about(m_registry, m_shell, m_box, m_board.get());
    const QImage image = about.grab().toImage();
    QCOMPARE(image.size(), QSize(328, 159));
    for (int x : {0, 1, 100, 326, 327}) {
        QCOMPARE(image.pixelColor(x, 91), grey);
        QCOMPARE(image.pixelColor(x, 92), QColor(Qt::white));
        QCOMPARE(image.pixelColor(x, 93), QColor(Qt::white));
        QVERIFY(image.pixelColor(x, 90) != grey && image.pixelColor(x, 94) != QColor(Qt::white));
    }
}

void TestFrmAbout::iconIsTheOwnersIcon()
{
    // The picture beside the title is the program's icon, the one its board window wears.
    QPixmap red(32, 32);
    red.fill(QColor(200, 0, 0));
    m_board->setWindowIcon(QIcon(red));
    frmAbout about(m_registry, m_shell, m_box, m_board.get());
    const QImage shown = about.grab(QRect(16, 16, 32, 32)).toImage();
    QCOMPARE(shown.pixelColor(16, 16), QColor(200, 0, 0));
    QCOMPARE(about.windowIcon().pixmap(32, 32).toImage().pixelColor(5, 5), QColor(200, 0, 0));
}

void TestFrmAbout::everyWayOfClosingActsAsOk_data()
{
    QTest::addColumn<std::function<void(frmAbout *)>>("close");

    QTest::newRow("OK") << std::function<void(frmAbout *)>([](frmAbout *d) {
        d->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
    });
    QTest::newRow("Escape") << std::function<void(frmAbout *)>([](frmAbout *d) {
        QTest::keyClick(d, Qt::Key_Escape);
    });
    QTest::newRow("Enter") << std::function<void(frmAbout *)>([](frmAbout *d) {
        QTest::keyClick(d, Qt::Key_Return);
    });
    QTest::newRow("close box") << std::function<void(frmAbout *)>([](frmAbout *d) { d->close(); });
}

void TestFrmAbout::everyWayOfClosingActsAsOk()
{
    // OK, Escape, Enter and the close box all end the window the way OK does.
    QFETCH(std::function<void(frmAbout *)>, close);
    m_board->show();
    frmAbout about(m_registry, m_shell, m_box, m_board.get());
    const ModalAnswer answer([&](QWidget &window) { close(qobject_cast<frmAbout *>(&window)); });
    QCOMPARE(about.exec(), int(QDialog::Accepted));
    QCOMPARE(answer.first(), &about);
    QVERIFY(!about.isVisible());
    QVERIFY(m_shell.started.isEmpty());
    QVERIFY(m_box.calls.isEmpty());
}

void TestFrmAbout::okHasTheFocusAndTabReachesSystemInfo()
{
    // OK is first in tab order, System Info second.
    m_board->show();
    frmAbout about(m_registry, m_shell, m_box, m_board.get());
    QVERIFY(showActive(about));
    QCOMPARE(about.focusWidget(), about.findChild<QWidget *>(QStringLiteral("cmdOK")));
    QTest::keyClick(about.focusWidget(), Qt::Key_Tab);
    QCOMPARE(about.focusWidget(), about.findChild<QWidget *>(QStringLiteral("cmdSysInfo")));
}

QTEST_MAIN(TestFrmAbout)
#include "tst_frmAbout.moc"
