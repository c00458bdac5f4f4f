#include "platform/HelpFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextDocumentFragment>

namespace {
constexpr qint64 maxFileSize = 16 * 1024 * 1024;

QString plainText(const QString &html)
{
    return QTextDocumentFragment::fromHtml(html).toPlainText().simplified();
}

QString attribute(const QString &attributes, const QString &name)
{
    const QRegularExpression re(QStringLiteral("\\b%1\\s*=\\s*\"([^\"]*)\"").arg(name),
                                QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = re.match(attributes);
    return match.hasMatch() ? plainText(match.captured(1)) : QString();
}
} // namespace

bool HelpFile::load(const QString &fileName)
{
    m_title.clear();
    m_styleSheet.clear();
    m_topics.clear();
    // Only an ordinary file of sensible size: a pipe or device named as the help
    // file would block or never end.
    const QFileInfo info(fileName);
    if (!info.isFile() || info.size() > maxFileSize)
        return false;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    // The document's own charset declaration wins; UTF-8 otherwise.
    QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    if (text.trimmed().isEmpty())
        return false;
    parse(text);
    return true;
}

void HelpFile::parse(const QString &document)
{
    m_title.clear();
    m_styleSheet.clear();
    m_topics.clear();

    const auto dotAll = QRegularExpression::CaseInsensitiveOption
                        | QRegularExpression::DotMatchesEverythingOption;
    const QRegularExpression titleRe(QStringLiteral("<title[^>]*>(.*?)</title>"), dotAll);
    const QRegularExpressionMatch titleMatch = titleRe.match(document);
    if (titleMatch.hasMatch())
        m_title = plainText(titleMatch.captured(1));

    const QRegularExpression styleRe(QStringLiteral("<style[^>]*>(.*?)</style>"), dotAll);
    for (auto it = styleRe.globalMatch(document); it.hasNext();)
        m_styleSheet += it.next().captured(1) + QLatin1Char('\n');

    // The body, or the whole text when it has none.
    qsizetype bodyStart = 0;
    qsizetype bodyEnd = document.size();
    const QRegularExpression bodyOpen(QStringLiteral("<body[^>]*>"), dotAll);
    const QRegularExpressionMatch open = bodyOpen.match(document);
    if (open.hasMatch())
        bodyStart = open.capturedEnd();
    const qsizetype close = document.lastIndexOf(QLatin1String("</body"), -1, Qt::CaseInsensitive);
    if (close >= bodyStart)
        bodyEnd = close;
    const QString body = document.mid(bodyStart, bodyEnd - bodyStart);

    const QRegularExpression markerRe(QStringLiteral("<!--\\s*topic\\b(.*?)-->"), dotAll);
    QList<QRegularExpressionMatch> markers;
    for (auto it = markerRe.globalMatch(body); it.hasNext();)
        markers.append(it.next());
    if (markers.isEmpty()) {
        m_topics.append(Topic{QString(), std::nullopt, m_title, body});
        return;
    }
    for (qsizetype i = 0; i < markers.size(); ++i) {
        const QRegularExpressionMatch &marker = markers.at(i);
        const qsizetype end = i + 1 < markers.size() ? markers.at(i + 1).capturedStart() : body.size();
        Topic topic;
        topic.id = attribute(marker.captured(1), QStringLiteral("id"));
        bool ok = false;
        // Context numbers are 32-bit words; a negative number in the file stands for
        // the same bits as its unsigned counterpart.
        const qint64 context = attribute(marker.captured(1), QStringLiteral("context")).toLongLong(&ok);
        if (ok && context >= -0x80000000LL && context <= 0xFFFFFFFFLL)
            topic.context = quint32(context);
        topic.title = attribute(marker.captured(1), QStringLiteral("title"));
        topic.html = body.mid(marker.capturedEnd(), end - marker.capturedEnd());
        m_topics.append(topic);
    }
}

const HelpFile::Topic *HelpFile::contents() const
{
    return m_topics.isEmpty() ? nullptr : &m_topics.first();
}

const HelpFile::Topic *HelpFile::topicById(const QString &id) const
{
    if (id.isEmpty())
        return nullptr;
    for (const Topic &topic : m_topics) {
        if (topic.id == id)
            return &topic;
    }
    return nullptr;
}

const HelpFile::Topic *HelpFile::topicByContext(quint32 context) const
{
    for (const Topic &topic : m_topics) {
        if (topic.context == context)
            return &topic;
    }
    return nullptr;
}

QString HelpFile::page(const QString &bodyHtml) const
{
    return QStringLiteral("<html><head><style>%1</style></head><body>%2</body></html>")
        .arg(m_styleSheet, bodyHtml);
}
