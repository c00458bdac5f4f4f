#include "platform/help/HtmlLimits.h"

#include <QString>

#include <algorithm>
#include <vector>

namespace {

// Where this differs between Qt versions, the rule that nests deeper is taken.
bool allowedIn(const QString &element, const QString &parent)
{
    const auto is = [](const QString &name, std::initializer_list<const char *> names) {
        return std::any_of(names.begin(), names.end(), [&name](const char *n) { return name == QLatin1String(n); });
    };
    if (is(element, {"dd"}))
        return is(parent, {"dt", "dl"});
    if (is(element, {"dt"}))
        return is(parent, {"dl"});
    if (is(element, {"tr"}))
        return is(parent, {"table", "thead", "tbody", "tfoot"});
    if (is(element, {"td", "th"}))
        return is(parent, {"tr"});
    if (is(element, {"thead", "tbody", "tfoot", "caption"}))
        return is(parent, {"table"});
    return true;
}

class Nesting
{
public:
    explicit Nesting(QStringView html) : mText(html) {}

    bool withinLimits()
    {
        while (mPos < mText.size()) {
            if (mText.at(mPos++) == u'<')
                tag();
            if (mElements > HtmlLimits::maxElements || mCells > HtmlLimits::maxCells
                || int(mOpen.size()) > HtmlLimits::maxDepth
                || std::count(mOpen.begin(), mOpen.end(), QLatin1String("table")) > HtmlLimits::maxTableDepth)
                return false;
        }
        return true;
    }

private:
    bool at(QChar c) const { return mPos < mText.size() && mText.at(mPos) == c; }

    void eatSpace()
    {
        while (mPos < mText.size() && mText.at(mPos).isSpace() && mText.at(mPos) != QChar::ParagraphSeparator)
            ++mPos;
    }

    void skipPast(QStringView end)
    {
        const qsizetype found = mText.indexOf(end, mPos);
        mPos = found < 0 ? mText.size() : found + end.size();
    }

    // A name or attribute value, quoted or not, read as Qt's parser reads it.
    QString word()
    {
        QString word;
        if (at(u'"') || at(u'\'')) {
            const QChar quote = mText.at(mPos++);
            while (mPos < mText.size()) {
                const QChar c = mText.at(mPos++);
                // Qt lets a backslash escape a single quote.
                if (c == quote && (quote == u'"' || mText.at(mPos - 2) != u'\\'))
                    break;
                word += c;
            }
            return word;
        }
        while (mPos < mText.size()) {
            const QChar c = mText.at(mPos);
            if (c == u'>' || c == u'<' || c == u'=' || c.isSpace()
                || (c == u'/' && mPos + 1 < mText.size() && mText.at(mPos + 1) == u'>'))
                break;
            word += c;
            ++mPos;
        }
        return word;
    }

    void attributes()
    {
        while (mPos < mText.size()) {
            eatSpace();
            if (at(u'>') || at(u'/') || word().isEmpty())
                return;
            eatSpace();
            if (at(u'=')) {
                ++mPos;
                eatSpace();
                word();
            }
        }
    }

    void tag()
    {
        eatSpace();
        if (at(u'!')) {
            ++mPos;
            const bool comment = mText.sliced(mPos).startsWith(u"--");
            mPos += comment ? 2 : 0;
            skipPast(comment ? u"-->" : u">");
            return;
        }
        if (at(u'/')) {
            ++mPos;
            const QString name = word().toLower().trimmed();
            skipPast(u">");
            const auto open = std::find(mOpen.rbegin(), mOpen.rend(), name);
            if (open != mOpen.rend())
                mOpen.erase(std::prev(open.base()), mOpen.end());
            return;
        }
        const QString name = word().toLower();
        if (mPos < mText.size() && mText.at(mPos).isSpace())
            attributes();
        bool closed = false;
        for (; mPos < mText.size() && mText.at(mPos) != u'>'; ++mPos)
            closed = closed || mText.at(mPos) == u'/';
        ++mPos;
        open(name, closed);
    }

    void open(const QString &name, bool closed)
    {
        ++mElements;
        const auto has = [this](const char *element) {
            return std::find(mOpen.begin(), mOpen.end(), QLatin1String(element)) != mOpen.end();
        };
        const bool cell = name == QLatin1String("td") || name == QLatin1String("th");
        mCells += cell ? 1 : 0;
        // Cells and rows outside a table get one made for them.
        if (cell && !has("tr")) {
            mOpen.push_back(QStringLiteral("table"));
            mOpen.push_back(QStringLiteral("tr"));
        } else if (name == QLatin1String("tr") && !has("table")) {
            mOpen.push_back(QStringLiteral("table"));
        }
        if (!mOpen.empty() && mOpen.back() == name && (name == QLatin1String("p") || name == QLatin1String("li")))
            mOpen.pop_back();
        while (!mOpen.empty() && !allowedIn(name, mOpen.back()))
            mOpen.pop_back();
        if (!closed && name != QLatin1String("img") && name != QLatin1String("hr") && name != QLatin1String("br"))
            mOpen.push_back(name);
    }

    QStringView mText;
    qsizetype mPos{0};
    int mElements{0};
    int mCells{0};
    std::vector<QString> mOpen;
};

} // namespace

bool HtmlLimits::acceptable(QStringView html)
{
    return html.size() <= maxSize && Nesting(html).withinLimits();
}
