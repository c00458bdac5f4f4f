#include "platform/help/HelpFile.h"

#include <QStringDecoder>

#include <algorithm>
#include <map>

// Every search below starts where the last one ended and gives up for good when it
// finds nothing, so that no part of the document is scanned twice: an unclosed
// "<!-- topic" or "<style" repeated through a large file cost seconds per megabyte
// as a regular expression.
namespace {

qsizetype find(QStringView text, QStringView what, qsizetype from)
{
    return text.indexOf(what, from, Qt::CaseInsensitive);
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'-';
}

// The five entities of XML and numeric ones; the text engine is not needed for a title.
QString plainText(QStringView html)
{
    static const std::pair<QStringView, QChar> named[] = {
        {u"amp", u'&'}, {u"lt", u'<'}, {u"gt", u'>'}, {u"quot", u'"'}, {u"apos", u'\''}, {u"nbsp", u' '}};
    QString text;
    for (qsizetype i = 0; i < html.size(); ++i) {
        const QChar c = html.at(i);
        if (c == u'<') {
            const qsizetype end = html.indexOf(u'>', i);
            if (end < 0)
                break;
            i = end;
            continue;
        }
        // Entities are short: the search for their end looks no further.
        const qsizetype semicolon = c == u'&' ? html.sliced(i, std::min<qsizetype>(html.size() - i, 12)).indexOf(u';') + i : -1;
        if (semicolon > i) {
            const QStringView name = html.sliced(i + 1, semicolon - i - 1);
            const auto found = std::find_if(std::begin(named), std::end(named),
                                            [name](const auto &entity) { return entity.first == name; });
            bool ok = false;
            const uint code = name.startsWith(u"#x", Qt::CaseInsensitive) ? name.sliced(2).toUInt(&ok, 16)
                              : name.startsWith(u'#')                     ? name.sliced(1).toUInt(&ok, 10)
                                                                          : 0;
            if (found != std::end(named) || (ok && code > 0 && code <= 0x10FFFF)) {
                text += found != std::end(named) ? QString(found->second) : QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1);
                i = semicolon;
                continue;
            }
        }
        text += c;
    }
    return text.simplified();
}

// name="value" pairs of a marker; the first of each name counts.
std::map<QString, QString> attributes(QStringView text)
{
    std::map<QString, QString> found;
    qsizetype i = 0;
    while (i < text.size()) {
        if (!isNameChar(text.at(i)) || (i > 0 && isNameChar(text.at(i - 1)))) {
            ++i;
            continue;
        }
        const qsizetype nameStart = i;
        while (i < text.size() && isNameChar(text.at(i)))
            ++i;
        const QString name = text.sliced(nameStart, i - nameStart).toString().toLower();
        qsizetype j = i;
        while (j < text.size() && text.at(j).isSpace())
            ++j;
        if (j >= text.size() || text.at(j) != u'=')
            continue;
        ++j;
        while (j < text.size() && text.at(j).isSpace())
            ++j;
        if (j >= text.size() || text.at(j) != u'"')
            continue;
        const qsizetype close = text.indexOf(u'"', j + 1);
        if (close < 0)
            break;
        found.try_emplace(name, plainText(text.sliced(j + 1, close - j - 1)));
        i = close + 1;
    }
    return found;
}

// The text between "<tag ...>" and "</tag" from from on, with from moved past it.
std::optional<QStringView> element(QStringView text, QStringView tag, qsizetype &from)
{
    const qsizetype open = find(text, u'<' + tag.toString(), from);
    const qsizetype start = open < 0 ? -1 : text.indexOf(u'>', open);
    const qsizetype end = start < 0 ? -1 : find(text, QStringLiteral("</") + tag.toString(), start);
    if (end < 0) {
        from = text.size();
        return std::nullopt;
    }
    from = end;
    return text.sliced(start + 1, end - start - 1);
}

} // namespace

bool HelpFile::load(const QString &fileName)
{
    const std::optional<RegularFile::Identity> identity = RegularFile::identify(fileName);
    if (identity && identity == m_identity && fileName == m_fileName)
        return m_loaded;
    m_title.clear();
    m_styleSheet.clear();
    m_topics.clear();
    m_fileName = fileName;
    m_identity.reset();
    m_loaded = false;
    QByteArray bytes;
    RegularFile::Identity readIdentity{};
    if (RegularFile::read(fileName, maxFileSize, bytes, &readIdentity) != RegularFile::Found::Read)
        return false;
    m_identity = readIdentity;
    // The document's own charset declaration wins; UTF-8 otherwise.
    QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    if (text.trimmed().isEmpty())
        return false;
    parse(text);
    m_loaded = true;
    return true;
}

void HelpFile::parse(const QString &document)
{
    m_title.clear();
    m_styleSheet.clear();
    m_topics.clear();

    qsizetype from = 0;
    if (const auto title = element(document, u"title", from))
        m_title = plainText(*title);
    from = 0;
    while (const auto style = element(document, u"style", from))
        m_styleSheet += style->toString() + u'\n';

    // The body, or the whole text when it has none.
    qsizetype bodyStart = 0;
    qsizetype bodyEnd = document.size();
    const qsizetype bodyOpen = find(document, u"<body", 0);
    if (bodyOpen >= 0 && document.indexOf(u'>', bodyOpen) >= 0)
        bodyStart = document.indexOf(u'>', bodyOpen) + 1;
    const qsizetype close = document.lastIndexOf(QLatin1String("</body"), -1, Qt::CaseInsensitive);
    if (close >= bodyStart)
        bodyEnd = close;
    const QStringView body = QStringView(document).sliced(bodyStart, bodyEnd - bodyStart);

    // Each topic runs from the end of its marker to the start of the next one.
    qsizetype topicStart = -1;
    const auto endTopic = [this, body, &topicStart](qsizetype end) {
        if (topicStart >= 0)
            m_topics.last().html = body.sliced(topicStart, end - topicStart).toString();
    };
    for (qsizetype pos = 0;;) {
        const qsizetype open = body.indexOf(u"<!--", pos);
        const qsizetype end = open < 0 ? -1 : body.indexOf(u"-->", open + 4);
        if (end < 0)
            break;
        pos = end + 3;
        const QStringView inner = body.sliced(open + 4, end - open - 4).trimmed();
        if (!inner.startsWith(u"topic", Qt::CaseInsensitive) || (inner.size() > 5 && isNameChar(inner.at(5))))
            continue;
        endTopic(open);
        const auto found = attributes(inner.sliced(5));
        const auto value = [&found](const QString &name) {
            const auto it = found.find(name);
            return it == found.end() ? QString() : it->second;
        };
        Topic topic{value(QStringLiteral("id")), std::nullopt, value(QStringLiteral("title")), QString()};
        bool ok = false;
        // Context numbers are 32-bit words; a negative number in the file stands for
        // the same bits as its unsigned counterpart.
        const qint64 context = value(QStringLiteral("context")).toLongLong(&ok);
        if (ok && context >= -0x80000000LL && context <= 0xFFFFFFFFLL)
            topic.context = quint32(context);
        m_topics.append(topic);
        topicStart = pos;
    }
    endTopic(body.size());
    if (m_topics.isEmpty())
        m_topics.append(Topic{QString(), std::nullopt, m_title, body.toString()});
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
