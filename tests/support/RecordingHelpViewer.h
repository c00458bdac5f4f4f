#pragma once

#include "platform/help/HelpViewer.h"

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QWidget>

// A help viewer that shows nothing and records every command it is given.
class RecordingHelpViewer final : public HelpViewer
{
public:
    struct Call
    {
        QPointer<QWidget> owner;
        QByteArray helpFile;
        quint32 command{};
        quint32 data{};
    };

    void winHelp(QWidget *owner, const QByteArray &helpFile, quint32 command, quint32 data) override;

    QList<Call> calls;
};
