#include "support/RecordingHelpViewer.h"

void RecordingHelpViewer::winHelp(QWidget *owner, const QByteArray &helpFile, quint32 command, quint32 data)
{
    calls.append({owner, helpFile, command, data});
}
