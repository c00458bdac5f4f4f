#pragma once

#include <QStringView>

// Whether Qt's rich-text engine can take an HTML page in reasonable time. Its parser and
// layout slow down with the square of the nesting depth, a table nested in a table
// doubles the layout time, and a deep enough nest overflows the stack. The page's
// elements are nested here the way Qt's parser nests them, erring on the deep side, in
// one pass that touches each character a bounded number of times.
class HtmlLimits
{
public:
    static constexpr qsizetype maxSize = 256 * 1024; // characters of one page
    static constexpr int maxDepth = 32;               // elements open inside one another
    static constexpr int maxTableDepth = 3;           // tables inside tables

    static bool acceptable(QStringView html);
};
