#pragma once

class QByteArray;
class QString;
class QWidget;

// Starting things outside the program: a document or address opened with the
// program registered for it, or a program started on its own. Both return at once.
class Shell
{
public:
    static constexpr int SW_SHOWNORMAL = 1;

    virtual ~Shell() = default;
    // Performs verb on file (an address or a path), all in the 8-bit code page;
    // parameters and directory may be null. True when the request was handed over.
    virtual bool shellExecute(QWidget *owner, const QByteArray &verb, const QByteArray &file,
                              const QByteArray &parameters, const QByteArray &directory,
                              int showCommand) = 0;
    // Starts program as a process of its own, with no arguments and no shell in
    // between; true when it was started.
    virtual bool startProgram(const QString &program) = 0;
    // True when path names an existing ordinary file (not a folder).
    virtual bool fileExists(const QString &path) = 0;
};
