#pragma once

#include <QDialog>
#include <QString>
#include <QtGlobal>

#include <array>

class MessageBox;
class QLabel;
class QPushButton;
class Registry;
class Shell;

// The About window: icon, title, version and a line on the game, OK, and a button
// that starts the system's information tool or says it is unavailable.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    // owner is the window the dialog is shown over (the board); the icon is its icon.
    frmAbout(Registry &registry, Shell &shell, MessageBox &box, QWidget *owner);

    void cmdOK_Click();
    void cmdSysInfo_Click();
    void StartSysInfo();
    // Reads value SubKeyRef of key KeyName under KeyRoot as text into KeyVal; true
    // when it was read. A value of a type it cannot show leaves KeyVal as it was.
    bool GetKeyValue(quint32 KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal);

    // Escape and the close box do what OK does.
    void reject() override;

private:
    void Form_Load();

    Registry &m_registry;
    Shell &m_shell;
    MessageBox &m_box;

    QLabel *Image1{};
    QLabel *lblTitle{};
    QLabel *lblVersion{};
    QLabel *lblDescription{};
    std::array<QWidget *, 2> Line1{};
    QPushButton *cmdOK{};
    QPushButton *cmdSysInfo{};
};
