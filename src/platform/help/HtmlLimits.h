#pragma once

#include <QStringView>

// Whether Qt's rich-text engine can take an HTML page in reasonable time. Its parser and
// layout slow down with the square of the nesting depth, of the items of a list, of the
// cells of a row and of the length of a word; a table nested in a table doubles the
// layout time, and a deep enough nest overflows the stack. Within these limits a page
// takes at most some tenths of a second. The page's elements are
// nested here the way Qt's parser nests them, erring on the deep side, in one pass that
// touches each character a bounded number of times. A real help topic is a few thousand
// characters and a few dozen elements.
class HtmlLimits
{
public:
    static constexpr qsizetype maxSize = 16 * 1024; // characters of one page
    static constexpr int maxElements = 500;         // start tags of one page
    static constexpr int maxCells = 200;            // table cells of one page
    static constexpr int maxDepth = 32;             // elements open inside one another
    static constexpr int maxTableDepth = 2;         // tables inside tables

    static bool acceptable(QStringView html);
};
