#include "info/frmAbout.h"

#include "platform/session/App.h"
#include "platform/shell/Registry.h"
#include "platform/shell/Shell.h"
#include "platform/widgets/MessageBox.h"
#include "platform/widgets/PlainAccessKeys.h"
#include "platform/widgets/Twips.h"

#include <QApplication>
#include <QByteArray>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace {
// Read-control with query, set, create-sub-key, enumerate, notify and link rights:
// a key that will not open with all of them counts as absent.
constexpr quint32 keyAccess = 0x2003F;
constexpr int valueBufferSize = 1024;

const QString sysInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString sysInfoValue = QStringLiteral("PATH");
const QString sysInfoLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString sysInfoLocationValue = QStringLiteral("MSINFO");
const QString sysInfoProgram = QStringLiteral("/MSINFO32.EXE");

QWidget *makeLine(QWidget *parent, const QString &name, int x1, int x2, int top, int thickness,
                  const QColor &colour)
{
    auto *line = new QWidget(parent);
    line->setObjectName(name);
    line->setAccessibleName(frmAbout::tr("Separator"));
    const int left = Twips::toPixels(x1);
    line->setGeometry(left, Twips::toPixels(top), Twips::toPixels(x2) - left, thickness);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, colour);
    line->setPalette(palette);
    line->setAutoFillBackground(true);
    return line;
}
} // namespace

frmAbout::frmAbout(Registry &registry, Shell &shell, MessageBox &box, QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                         | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_registry(registry)
    , m_shell(shell)
    , m_box(box)
{
    setObjectName(QStringLiteral("frmAbout"));
    setFont(Twips::font(QStringLiteral("MS Sans Serif"), 8.25));
    setFixedSize(Twips::toPixels(4920), Twips::toPixels(2385));
    const QIcon icon = owner ? owner->window()->windowIcon() : QApplication::windowIcon();
    setWindowIcon(icon);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(tr("Application icon"));
    Image1->setGeometry(Twips::rect(240, 240, 480, 480));
    Image1->setScaledContents(true);
    Image1->setPixmap(icon.pixmap(32, 32));

    // The labels' texts are their names for a screen reader; what each is, its description.
    lblTitle = new QLabel(this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setAccessibleDescription(tr("Title"));
    lblTitle->setGeometry(Twips::rect(840, 60, 3885, 480));
    lblTitle->setFont(Twips::font(QStringLiteral("MS Sans Serif"), 12, true, true));
    lblTitle->setTextFormat(Qt::PlainText);
    lblTitle->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setAccessibleDescription(tr("Version"));
    lblVersion->setGeometry(Twips::rect(900, 420, 3885, 225));
    lblVersion->setTextFormat(Qt::PlainText);
    lblVersion->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    lblDescription = new QLabel(this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setAccessibleDescription(tr("Description"));
    lblDescription->setGeometry(Twips::rect(900, 1020, 3885, 510));
    lblDescription->setTextFormat(Qt::PlainText);
    lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDescription->setText(tr("A memory game of lights and tones."));

    // An etched rule: grey over white, both running past the edges so the window
    // clips them to its full width.
    Line1[1] = makeLine(this, QStringLiteral("Line1(1)"), -450, 5114, 1365, 1, QColor(128, 128, 128));
    Line1[0] = makeLine(this, QStringLiteral("Line1(0)"), -435, 5114, 1380, 2, Qt::white);

    cmdOK = new QPushButton(tr("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setAccessibleName(tr("OK"));
    cmdOK->setGeometry(Twips::rect(3525, 1485, 1260, 345));
    cmdOK->setDefault(true);

    cmdSysInfo = new QPushButton(tr("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setAccessibleName(tr("System Info"));
    cmdSysInfo->setGeometry(Twips::rect(3540, 1935, 1245, 345));

    setTabOrder(cmdOK, cmdSysInfo);
    cmdOK->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    new PlainAccessKeys(this);
    Form_Load();
}

void frmAbout::Form_Load()
{
    setWindowTitle(tr("About %1").arg(App::title()));
    lblVersion->setText(tr("Version %1.%2.%3").arg(App::major()).arg(App::minor()).arg(App::revision()));
    lblTitle->setText(App::title());
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::reject()
{
    cmdOK_Click();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::StartSysInfo()
{
    QString Path;
    // The full name of the tool first, else the folder it was installed to.
    if (!GetKeyValue(Registry::HKEY_LOCAL_MACHINE, sysInfoKey, sysInfoValue, Path)) {
        if (!GetKeyValue(Registry::HKEY_LOCAL_MACHINE, sysInfoLocationKey, sysInfoLocationValue, Path)
            || !m_shell.fileExists(Path + sysInfoProgram)) {
            m_box.msgBox(this, tr("System Information Is Unavailable At This Time"),
                         MessageBox::vbOKOnly, QString());
            return;
        }
        Path += sysInfoProgram;
    }
    if (!m_shell.startProgram(Path))
        m_box.msgBox(this, tr("System Information Is Unavailable At This Time"), MessageBox::vbOKOnly,
                     QString());
}

bool frmAbout::GetKeyValue(quint32 KeyRoot, const QString &KeyName, const QString &SubKeyRef,
                           QString &KeyVal)
{
    Registry::HKEY hKey = 0;
    if (m_registry.regOpenKeyEx(KeyRoot, KeyName.toLocal8Bit(), 0, keyAccess, &hKey)
        != Registry::ERROR_SUCCESS) {
        KeyVal.clear();
        return false;
    }

    QByteArray buffer(valueBufferSize, '\0');
    quint32 size = valueBufferSize;
    quint32 type = Registry::REG_NONE;
    if (m_registry.regQueryValueEx(hKey, SubKeyRef.toLocal8Bit(), &type, buffer.data(), &size)
        != Registry::ERROR_SUCCESS) {
        KeyVal.clear();
        m_registry.regCloseKey(hKey);
        return false;
    }

    // Never trust a count beyond the buffer the value was read into.
    const qsizetype count = qMin<qsizetype>(size, buffer.size());
    // A string's terminating zero is not part of its text.
    const qsizetype length = count > 0 && buffer.at(count - 1) == '\0' ? count - 1 : count;
    const QString text = QString::fromLocal8Bit(buffer.constData(), length);

    switch (type) {
    case Registry::REG_SZ:
        KeyVal = text;
        break;
    case Registry::REG_DWORD: {
        quint32 value = 0;
        for (qsizetype i = qMin<qsizetype>(count, 4) - 1; i >= 0; --i)
            value = (value << 8) | quint8(buffer.at(i));
        KeyVal = QString::number(value);
        break;
    }
    default:
        break;
    }
    m_registry.regCloseKey(hKey);
    return true;
}
