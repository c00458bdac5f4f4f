// Any text as a help topic: what the page check lets through, the text engine parses
// and lays out quickly (run with -timeout) and without crashing.
#include "platform/help/HtmlLimits.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString html = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    if (!HtmlLimits::acceptable(html))
        return 0;
    QTextDocument document;
    document.setTextWidth(540);
    document.setHtml(html);
    document.documentLayout()->documentSize();
    return 0;
}
