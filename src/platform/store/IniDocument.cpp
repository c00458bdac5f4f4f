#include "platform/store/IniDocument.h"

#include <QStringDecoder>
#include <QStringList>

namespace {

bool isAsciiAlnum(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r';
}

int hexValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

void appendHex(QString &out, char16_t c, int digits)
{
    static const char hex[] = "0123456789ABCDEF";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out += QLatin1Char(hex[(c >> shift) & 0xF]);
}

// Keys and section names: what the reader could trim, split or misread travels as %XX
// or %UXXXX, '/' included: written as '\' it would escape a following '='.
QString escapedKey(const QString &key)
{
    QString out;
    for (qsizetype i = 0; i < key.size(); ++i) {
        const char16_t c = key.at(i).unicode();
        const bool innerSpace = c == u' ' && i > 0 && i < key.size() - 1;
        if (isAsciiAlnum(c) || c == u'_' || c == u'-' || c == u'.' || innerSpace) {
            out += QChar(c);
        } else if (c <= 0xFF) {
            out += u'%';
            appendHex(out, c, 2);
        } else {
            out += QStringLiteral("%U");
            appendHex(out, c, 4);
        }
    }
    return out;
}

// '\' is how older files spelled '/' in a key.
QString unescapedKey(QStringView text)
{
    QString key;
    key.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text.at(i);
        if (c == u'\\') {
            key += u'/';
            ++i;
            continue;
        }
        if (c == u'%' && i + 1 < text.size()) {
            const bool wide = text.at(i + 1) == u'U';
            const qsizetype first = i + (wide ? 2 : 1);
            const int digits = wide ? 4 : 2;
            char16_t value = 0;
            bool ok = first + digits <= text.size();
            for (int d = 0; ok && d < digits; ++d) {
                const int h = hexValue(text.at(first + d).unicode());
                ok = h >= 0;
                value = char16_t((value << 4) | (h & 0xF));
            }
            if (ok) {
                key += QChar(value);
                i = first + digits;
                continue;
            }
        }
        key += c;
        ++i;
    }
    return key;
}

// Control characters, quotes, backslashes and byte-order marks as C-style escapes, the
// rest as it is; quotes around values the reader would otherwise split, cut or trim.
QString escapedValue(const QString &value)
{
    // A leading '@' marks a typed value to the reader; doubled, it reads back as itself.
    const QString text = value.startsWith(u'@') ? u'@' + value : value;
    QString out;
    bool needsQuotes = false;
    // The reader takes every hex digit after \x, so a hex digit right after one is escaped too.
    bool afterHexEscape = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar qc = text.at(i);
        const char16_t c = qc.unicode();
        if (c == u';' || c == u',' || c == u'=')
            needsQuotes = true;
        if (afterHexEscape && hexValue(c) >= 0) {
            out += QStringLiteral("\\x");
            appendHex(out, c, 2);
            continue;
        }
        afterHexEscape = false;
        switch (c) {
        case u'\a': out += QStringLiteral("\\a"); break;
        case u'\b': out += QStringLiteral("\\b"); break;
        case u'\f': out += QStringLiteral("\\f"); break;
        case u'\n': out += QStringLiteral("\\n"); break;
        case u'\r': out += QStringLiteral("\\r"); break;
        case u'\t': out += QStringLiteral("\\t"); break;
        case u'\v': out += QStringLiteral("\\v"); break;
        case u'"': out += QStringLiteral("\\\""); break;
        case u'\\': out += QStringLiteral("\\\\"); break;
        default:
            if (qc.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
                out += text.sliced(i, 2);
                ++i;
            } else if (c < 0x20 || c == 0x7F || qc.isSurrogate() || c == 0xFEFF) {
                // A lone surrogate has no UTF-8 form, and a UTF-8 decoder may take a
                // byte-order mark for its own: the escape keeps the exact code unit.
                out += QStringLiteral("\\x");
                appendHex(out, c, c > 0xFF ? 4 : 2);
                afterHexEscape = true;
            } else {
                out += qc;
            }
        }
    }
    if (needsQuotes || out.startsWith(u' ') || out.endsWith(u' '))
        return u'"' + out + u'"';
    return out;
}

void chopTrailingBlanks(QString &text, qsizetype limit)
{
    qsizetype n = text.size();
    while (n > limit && isBlank(text.at(n - 1)))
        --n;
    text.truncate(n);
}

// Appends the character of the escape at raw[i] (just after the backslash) and moves on.
void unescapeAt(QStringView raw, qsizetype &i, QString &out)
{
    static constexpr char16_t named[][2] = {{u'a', u'\a'}, {u'b', u'\b'}, {u'f', u'\f'}, {u'n', u'\n'},
                                            {u'r', u'\r'}, {u't', u'\t'}, {u'v', u'\v'}, {u'"', u'"'},
                                            {u'?', u'?'},  {u'\'', u'\''}, {u'\\', u'\\'}};
    const char16_t e = raw.at(i++).unicode();
    for (const auto &pair : named) {
        if (e == pair[0]) {
            out += QChar(pair[1]);
            return;
        }
    }
    if (e == u'x' || (e >= u'0' && e <= u'7')) {
        const int base = e == u'x' ? 16 : 8;
        unsigned code = e == u'x' ? 0 : unsigned(e - u'0');
        bool any = e != u'x';
        for (int d; i < raw.size() && (d = hexValue(raw.at(i).unicode())) >= 0 && d < base; ++i) {
            code = (code * unsigned(base) + unsigned(d)) & 0xFFFF;
            any = true;
        }
        if (any)
            out += QChar(char16_t(code));
    } else if (isLineBreak(QChar(e)) && i < raw.size() && isLineBreak(raw.at(i)) && raw.at(i) != QChar(e)) {
        ++i; // a backslash before "\r\n" or "\n\r" continues the value on the next line
    }
}

// One value: quotes, escapes, and unquoted commas that make a list (read as its items
// joined by ", "). False for a typed value other than "no value", which stays text.
bool unescapeValue(QStringView raw, std::optional<QString> &value)
{
    QStringList items;
    QString current;
    bool isList = false;
    bool inQuotes = false;
    bool currentQuoted = false;
    qsizetype keepUpTo = 0; // escaped and quoted text before this point is never trimmed
    qsizetype i = 0;
    while (i < raw.size() && isBlank(raw.at(i)))
        ++i;
    while (i < raw.size()) {
        const QChar c = raw.at(i);
        if (c == u'\\') {
            if (++i < raw.size())
                unescapeAt(raw, i, current);
            keepUpTo = current.size();
        } else if (c == u'"') {
            ++i;
            currentQuoted = true;
            inQuotes = !inQuotes;
            while (!inQuotes && i < raw.size() && isBlank(raw.at(i)))
                ++i;
            keepUpTo = current.size();
        } else if (c == u',' && !inQuotes) {
            if (!currentQuoted)
                chopTrailingBlanks(current, keepUpTo);
            isList = true;
            items.append(current);
            current.clear();
            currentQuoted = false;
            keepUpTo = 0;
            ++i;
            while (i < raw.size() && isBlank(raw.at(i)))
                ++i;
        } else {
            current += c;
            ++i;
        }
    }
    if (!currentQuoted)
        chopTrailingBlanks(current, keepUpTo);
    if (isList) {
        items.append(current);
        for (QString &item : items) {
            if (item.startsWith(QLatin1String("@@")))
                item.remove(0, 1);
        }
        value = items.join(QStringLiteral(", "));
        return true;
    }
    value = current;
    if (current.startsWith(QLatin1String("@@"))) {
        value = current.mid(1);
    } else if (current == QLatin1String("@Invalid()")) {
        value.reset();
    } else if (current.startsWith(QLatin1String("@String(")) && current.endsWith(u')')) {
        value = current.mid(8, current.size() - 9);
    } else if (current.startsWith(u'@')) {
        return false;
    }
    return true;
}

// The next logical line from pos: a backslash escapes the line break after it, a quoted
// stretch may hold line breaks, and ';' outside quotes starts a comment.
struct Line
{
    qsizetype start{};
    qsizetype end{};
    qsizetype equals{-1};
    // False when the file ended inside a quote, or the line in an escaped line break:
    // written back as it stands, with a line break after it, the line would run on into
    // whatever follows it.
    bool closed{true};
};

Line nextLine(QStringView data, qsizetype &pos)
{
    for (;;) {
        while (pos < data.size() && (isBlank(data.at(pos)) || isLineBreak(data.at(pos))))
            ++pos;
        if (pos >= data.size() || data.at(pos) != u';')
            break;
        while (pos < data.size() && !isLineBreak(data.at(pos)))
            ++pos;
    }
    Line line{pos, pos, -1, true};
    bool inQuotes = false;
    qsizetype escapeEnd = -1; // where the last escape ended
    bool escapedBreak = false; // whether it escaped a line break, or the end of the file
    while (pos < data.size()) {
        const QChar c = data.at(pos);
        if (c == u'\\') {
            ++pos;
            escapedBreak = pos >= data.size() || isLineBreak(data.at(pos));
            if (pos < data.size()) {
                const QChar escaped = data.at(pos++);
                if (escapedBreak && pos < data.size() && isLineBreak(data.at(pos)) && data.at(pos) != escaped)
                    ++pos;
            }
            escapeEnd = pos;
            continue;
        }
        if (c == u'"')
            inQuotes = !inQuotes;
        else if (c == u'=' && !inQuotes && line.equals < 0)
            line.equals = pos;
        else if ((isLineBreak(c) || c == u';') && !inQuotes)
            break;
        ++pos;
    }
    line.end = pos;
    line.closed = !inQuotes && !(escapeEnd == pos && escapedBreak);
    return line;
}

} // namespace

bool IniDocument::parse(QByteArrayView data)
{
    if (data.startsWith("\xEF\xBB\xBF"))
        data = data.sliced(3);
    // Decoded in one piece: a byte-order mark inside a value is a character of it.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const QString text = decoder.decode(data);
    bool understood = !decoder.hasError();
    QString section;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const Line line = nextLine(text, pos);
        if (line.end <= line.start)
            continue;
        understood = understood && line.closed;
        const QStringView content = QStringView(text).sliced(line.start, line.end - line.start);
        if (content.startsWith(u'[')) {
            qsizetype close = content.indexOf(u']');
            if (close < 0) {
                understood = false;
                close = content.size();
            }
            section = unescapedKey(content.sliced(1, close - 1).trimmed());
            continue;
        }
        if (line.equals < 0) {
            understood = false;
            continue;
        }
        const qsizetype equals = line.equals - line.start;
        const QStringView spelling = content.sliced(equals + 1);
        Entry entry;
        understood = unescapeValue(spelling, entry.text) && understood;
        entry.spelling = line.closed ? spelling.toString() : spellingOf(entry.text);
        mSections[section][unescapedKey(content.first(equals).trimmed())] = std::move(entry);
    }
    return understood;
}

QByteArray IniDocument::text() const
{
    QString out;
    for (const auto &[section, keys] : mSections) {
        if (!out.isEmpty())
            out += u'\n';
        out += u'[' + escapedKey(section) + QStringLiteral("]\n");
        for (const auto &[key, entry] : keys)
            out += escapedKey(key) + u'=' + entry.spelling + u'\n';
    }
    return out.toUtf8();
}

std::optional<QString> IniDocument::value(const QString &section, const QString &key) const
{
    const auto keys = mSections.find(section);
    if (keys == mSections.end())
        return std::nullopt;
    const auto entry = keys->second.find(key);
    return entry == keys->second.end() ? std::nullopt : entry->second.text;
}

void IniDocument::setValue(const QString &section, const QString &key, const QString &text)
{
    mSections[section][key] = Entry{escapedValue(text), text};
}

QString IniDocument::spellingOf(const std::optional<QString> &text)
{
    return text ? escapedValue(*text) : QStringLiteral("@Invalid()");
}
