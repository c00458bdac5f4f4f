// Any bytes as the help file: it is split into topics in one pass, each topic is a
// stretch of the body, and the page check takes a topic without trouble.
#include "platform/help/HelpFile.h"
#include "platform/help/HtmlLimits.h"

#include <QStringDecoder>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString document = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    HelpFile file;
    file.parse(document);
    qsizetype total = 0;
    for (const HelpFile::Topic &topic : file.topics())
        total += topic.html.size();
    if (file.topics().isEmpty() || total > document.size())
        std::abort();
    // The viewer checks the one page it is about to show.
    HtmlLimits::acceptable(file.page(file.topics().last().html));
    return 0;
}
