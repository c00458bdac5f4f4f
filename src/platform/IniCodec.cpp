#include "platform/IniCodec.h"

#include <QFileDevice>
#include <QIODevice>
#include <QStringList>

namespace {

bool isAsciiAlnum(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
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

void appendHex(QByteArray &out, char16_t c, int digits)
{
    static const char hex[] = "0123456789ABCDEF";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out += hex[(c >> shift) & 0xF];
}

// Keys and section names: '/' nests, so it travels as '\'; other characters that the
// reader could trim or misread travel as %XX or %UXXXX.
void escapeKey(const QString &key, QByteArray &out)
{
    for (qsizetype i = 0; i < key.size(); ++i) {
        const char16_t c = key.at(i).unicode();
        const bool innerSpace = c == u' ' && i > 0 && i < key.size() - 1;
        if (c == u'/') {
            out += '\\';
        } else if (isAsciiAlnum(c) || c == u'_' || c == u'-' || c == u'.' || innerSpace) {
            out += char(c);
        } else if (c <= 0xFF) {
            out += '%';
            appendHex(out, c, 2);
        } else {
            out += "%U";
            appendHex(out, c, 4);
        }
    }
}

QString unescapeKey(QByteArrayView raw)
{
    const QString text = QString::fromUtf8(raw);
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

// One value: control characters, quotes and backslashes as C-style escapes, non-ASCII
// as UTF-8, and quotes around values the reader would otherwise split, cut or trim.
void escapeValue(const QString &value, QByteArray &out)
{
    // A leading '@' marks a typed value to the reader; doubled, it reads back as itself.
    const QString text = value.startsWith(u'@') ? u'@' + value : value;
    const qsizetype start = out.size();
    bool needsQuotes = false;
    // The reader takes every hex digit after \x, so a hex digit right after one is escaped too.
    bool afterHexEscape = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar qc = text.at(i);
        const char16_t c = qc.unicode();
        if (c == u';' || c == u',' || c == u'=')
            needsQuotes = true;
        if (afterHexEscape && hexValue(c) >= 0) {
            out += "\\x";
            appendHex(out, c, 2);
            continue;
        }
        afterHexEscape = false;
        switch (c) {
        case u'\a': out += "\\a"; break;
        case u'\b': out += "\\b"; break;
        case u'\f': out += "\\f"; break;
        case u'\n': out += "\\n"; break;
        case u'\r': out += "\\r"; break;
        case u'\t': out += "\\t"; break;
        case u'\v': out += "\\v"; break;
        case u'"': out += "\\\""; break;
        case u'\\': out += "\\\\"; break;
        default:
            if (qc.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
                out += QStringView(text).sliced(i, 2).toUtf8();
                ++i;
            } else if (c < 0x20 || c == 0x7F || qc.isSurrogate()) {
                // A lone surrogate has no UTF-8 form; the escape keeps the exact code unit.
                out += "\\x";
                appendHex(out, c, c > 0xFF ? 4 : 2);
                afterHexEscape = true;
            } else if (c < 0x80) {
                out += char(c);
            } else {
                out += QString(qc).toUtf8();
            }
        }
    }
    const bool edgeSpace = out.size() > start && (out.at(start) == ' ' || out.back() == ' ');
    if (needsQuotes || edgeSpace) {
        out.insert(start, '"');
        out += '"';
    }
}

void encodeValue(const QVariant &value, QByteArray &out)
{
    if (value.typeId() == QMetaType::QStringList) {
        const QStringList items = value.toStringList();
        if (items.isEmpty()) {
            out += "@Invalid()";
            return;
        }
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (i > 0)
                out += ", ";
            escapeValue(items.at(i), out);
        }
        return;
    }
    escapeValue(value.toString(), out);
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

void chopTrailingBlanks(QString &text, qsizetype limit)
{
    qsizetype n = text.size();
    while (n > limit && (text.at(n - 1) == u' ' || text.at(n - 1) == u'\t'))
        --n;
    text.truncate(n);
}

QVariant typedValue(const QString &text)
{
    if (text.startsWith(QLatin1String("@@")))
        return text.mid(1);
    if (text == QLatin1String("@Invalid()"))
        return QVariant();
    if (text.startsWith(QLatin1String("@String(")) && text.endsWith(u')'))
        return text.mid(8, text.size() - 9);
    return text;
}

QVariant unescapeValue(QByteArrayView raw)
{
    static constexpr char named[][2] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'},
                                        {'r', '\r'}, {'t', '\t'}, {'v', '\v'}, {'"', '"'},
                                        {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
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
        const char c = raw.at(i);
        if (c == '\\') {
            if (++i >= raw.size())
                break;
            const char e = raw.at(i++);
            bool done = false;
            for (const auto &pair : named) {
                if (e == pair[0]) {
                    current += QLatin1Char(pair[1]);
                    done = true;
                    break;
                }
            }
            if (!done && (e == 'x' || (e >= '0' && e <= '7'))) {
                const int base = e == 'x' ? 16 : 8;
                char16_t code = e == 'x' ? 0 : char16_t(e - '0');
                bool any = e != 'x';
                while (i < raw.size()) {
                    const int d = hexValue(uchar(raw.at(i)));
                    if (d < 0 || d >= base)
                        break;
                    code = char16_t(code * base + d);
                    any = true;
                    ++i;
                }
                if (any)
                    current += QChar(code);
            } else if (!done && (e == '\n' || e == '\r')) {
                // A backslash at the end of a line continues the value on the next one.
                if (i < raw.size() && (raw.at(i) == '\n' || raw.at(i) == '\r') && raw.at(i) != e)
                    ++i;
            }
            keepUpTo = current.size();
        } else if (c == '"') {
            ++i;
            currentQuoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                while (i < raw.size() && isBlank(raw.at(i)))
                    ++i;
            }
            keepUpTo = current.size();
        } else if (c == ',' && !inQuotes) {
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
            qsizetype j = i + 1;
            while (j < raw.size() && raw.at(j) != '\\' && raw.at(j) != '"'
                   && (inQuotes || raw.at(j) != ','))
                ++j;
            current += QString::fromUtf8(raw.sliced(i, j - i));
            i = j;
        }
    }
    if (!currentQuoted)
        chopTrailingBlanks(current, keepUpTo);
    if (!isList)
        return typedValue(current);
    items.append(current);
    for (QString &item : items) {
        if (item.startsWith(QLatin1String("@@")))
            item.remove(0, 1);
    }
    return items;
}

// The next logical line from pos: a backslash escapes the line break after it, a quoted
// stretch may hold line breaks, and ';' outside quotes starts a comment.
struct Line
{
    qsizetype start{};
    qsizetype end{};
    qsizetype equals{-1};
};

Line nextLine(QByteArrayView data, qsizetype &pos)
{
    for (;;) {
        while (pos < data.size() && (isBlank(data.at(pos)) || data.at(pos) == '\n' || data.at(pos) == '\r'))
            ++pos;
        if (pos < data.size() && data.at(pos) == ';') {
            while (pos < data.size() && data.at(pos) != '\n' && data.at(pos) != '\r')
                ++pos;
            continue;
        }
        break;
    }
    Line line;
    line.start = pos;
    bool inQuotes = false;
    while (pos < data.size()) {
        const char c = data.at(pos);
        if (c == '\\') {
            ++pos;
            if (pos < data.size()) {
                const char escaped = data.at(pos++);
                // "\<CR><LF>" and "\<LF><CR>" are one line break.
                if (pos < data.size() && (escaped == '\n' || escaped == '\r')) {
                    const char next = data.at(pos);
                    if ((next == '\n' || next == '\r') && next != escaped)
                        ++pos;
                }
            }
            continue;
        }
        if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == '=' && !inQuotes && line.equals < 0) {
            line.equals = pos;
        } else if ((c == '\n' || c == '\r' || c == ';') && !inQuotes) {
            break;
        }
        ++pos;
    }
    line.end = pos;
    return line;
}

} // namespace

QByteArray IniCodec::encode(const QSettings::SettingsMap &map)
{
    // Section name -> its keys, in the map's (sorted) order; top-level keys go to [General].
    QMap<QString, QList<QSettings::SettingsMap::const_iterator>> sections;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const qsizetype slash = it.key().indexOf(u'/');
        sections[slash < 0 ? QString() : it.key().left(slash)].append(it);
    }
    QByteArray out;
    for (auto section = sections.cbegin(); section != sections.cend(); ++section) {
        if (!out.isEmpty())
            out += '\n';
        if (section.key().isEmpty()) {
            out += "[General]";
        } else {
            out += '[';
            // "general" alone would mean the top level; the '%' keeps it a section of its own.
            if (section.key().compare(QLatin1String("general"), Qt::CaseInsensitive) == 0)
                out += '%';
            escapeKey(section.key(), out);
            out += ']';
        }
        out += '\n';
        const qsizetype prefix = section.key().isEmpty() ? 0 : section.key().size() + 1;
        for (const auto &entry : section.value()) {
            escapeKey(entry.key().mid(prefix), out);
            out += '=';
            encodeValue(entry.value(), out);
            out += '\n';
        }
    }
    return out;
}

bool IniCodec::decode(QByteArrayView data, QSettings::SettingsMap &map)
{
    if (data.startsWith("\xEF\xBB\xBF"))
        data = data.sliced(3);
    bool ok = true;
    QString section;
    qsizetype pos = 0;
    while (pos < data.size()) {
        const Line line = nextLine(data, pos);
        if (line.end <= line.start)
            continue;
        const QByteArrayView text = data.sliced(line.start, line.end - line.start);
        if (text.startsWith('[')) {
            qsizetype close = text.indexOf(']');
            if (close < 0) {
                ok = false;
                close = text.size();
            }
            const QByteArrayView name = text.sliced(1, close - 1).trimmed();
            if (name.compare("general", Qt::CaseInsensitive) == 0)
                section.clear();
            else if (name.compare("%general", Qt::CaseInsensitive) == 0)
                section = QString::fromLatin1(name.sliced(1)) + u'/';
            else
                section = unescapeKey(name) + u'/';
            continue;
        }
        if (line.equals < 0) {
            ok = false;
            continue;
        }
        const qsizetype equals = line.equals - line.start;
        const QString key = unescapeKey(text.first(equals).trimmed());
        map.insert(section + key, unescapeValue(text.sliced(equals + 1)));
    }
    return ok;
}

QSettings::Format IniCodec::format()
{
    static const QSettings::Format registered =
        QSettings::registerFormat(QStringLiteral("ini"), &IniCodec::readDevice,
                                  &IniCodec::writeDevice, Qt::CaseSensitive);
    return registered;
}

bool IniCodec::readDevice(QIODevice &device, QSettings::SettingsMap &map)
{
    return decode(device.readAll(), map);
}

bool IniCodec::writeDevice(QIODevice &device, const QSettings::SettingsMap &map)
{
    const QByteArray text = encode(map);
    if (device.write(text) != text.size())
        return false;
    // A short write only shows when the buffer is flushed; failing here stops QSettings
    // from committing the temporary file, so the previous file stays as it was.
    if (auto *file = qobject_cast<QFileDevice *>(&device))
        return file->flush() && file->error() == QFileDevice::NoError;
    return true;
}
