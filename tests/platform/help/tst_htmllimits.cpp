#include "platform/help/HtmlLimits.h"

#include <QString>
#include <QTest>

// The check that keeps pages the text engine cannot take away from it.
class TestHtmlLimits : public QObject
{
    Q_OBJECT

private slots:
    void pagesAreNestedAsQtNestsThem_data();
    void pagesAreNestedAsQtNestsThem();
};

void TestHtmlLimits::pagesAreNestedAsQtNestsThem_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<bool>("acceptable");
    const auto times = [](const char *piece, int n) { return QString::fromLatin1(piece).repeated(n); };
    QTest::newRow("nest at the depth limit") << times("<div>", HtmlLimits::maxDepth) << true;
    QTest::newRow("nest one deeper") << times("<div>", HtmlLimits::maxDepth + 1) << false;
    QTest::newRow("closed elements") << times("<div><b>x</b></div>", 200) << true;
    QTest::newRow("unclosed paragraphs are siblings") << times("<p>x", 450) << true;
    QTest::newRow("unclosed list items are siblings") << "<ul>" + times("<li>x", 450) << true;
    QTest::newRow("rows and cells without end tags") << "<table>" + times("<tr><td>a<td>b", 60) << true;
    QTest::newRow("void elements") << times("<br><img src=x><hr>", 150) << true;
    QTest::newRow("self-closed elements") << times("<span/>", 450) << true;
    QTest::newRow("cells at the limit") << "<table><tr>" + times("<td>x", HtmlLimits::maxCells) << true;
    QTest::newRow("one cell more") << "<table><tr>" + times("<td>x", HtmlLimits::maxCells + 1) << false;
    QTest::newRow("elements at the limit") << times("<b>x</b>", HtmlLimits::maxElements) << true;
    QTest::newRow("one element more") << times("<b>x</b>", HtmlLimits::maxElements + 1) << false;
    QTest::newRow("tables at the limit") << times("<table><tr><td>", HtmlLimits::maxTableDepth) << true;
    QTest::newRow("tables one deeper") << times("<table><tr><td>", HtmlLimits::maxTableDepth + 1) << false;
    QTest::newRow("a cell outside a table opens one") << times("<div>", HtmlLimits::maxDepth - 2) + "<td>x" << false;
    QTest::newRow("end tag inside a quoted attribute") << times("<b title=\"</b>\">", 40) << false;
    QTest::newRow("end tag inside a single-quoted one") << times("<b title='it\\'s </b>'>", 40) << false;
    QTest::newRow("end tag inside a comment") << times("<b><!-- </b> -->", 40) << false;
    QTest::newRow("end tag after an empty comment") << times("<b><!--> </b> -->", 40) << false;
    QTest::newRow("a lone angle bracket opens an element") << times("a < b > ", 40) << false;
    QTest::newRow("end tags that close nothing") << times("</div>", 2000) << true;
    QTest::newRow("size at the limit") << QString(HtmlLimits::maxSize, u'x') << true;
    QTest::newRow("too large") << QString(HtmlLimits::maxSize + 1, u'x') << false;
}

void TestHtmlLimits::pagesAreNestedAsQtNestsThem()
{
    // Nothing Qt's parser nests deeply passes as shallow, and ordinary sloppy markup passes.
    QFETCH(QString, html);
    QFETCH(bool, acceptable);
    QCOMPARE(HtmlLimits::acceptable(html), acceptable);
}

QTEST_APPLESS_MAIN(TestHtmlLimits)
#include "tst_htmllimits.moc"
