#pragma once

#include <QtGlobal>

class QByteArray;
class QWidget;

// The platform's help viewer, asked to carry out one command on a help file on
// behalf of an owner window. The file name is in the 8-bit code page; results are
// not reported, as nothing the caller could do with them.
class HelpViewer
{
public:
    static constexpr quint32 HELP_CONTEXT = 1;
    static constexpr quint32 HELP_QUIT = 2;
    static constexpr quint32 HELP_CONTENTS = 3;
    static constexpr quint32 HELP_INDEX = 3;
    static constexpr quint32 HELP_HELPONHELP = 4;

    virtual ~HelpViewer() = default;
    virtual void winHelp(QWidget *owner, const QByteArray &helpFile, quint32 command, quint32 data) = 0;
};
