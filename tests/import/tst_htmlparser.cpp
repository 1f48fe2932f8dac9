#include "import/DocumentError.h"
#include "import/HtmlBlocks.h"
#include "import/HtmlParser.h"
#include "import/HtmlSheetParser.h"

#include "WebPages.h"

#include <QTest>

using namespace WebPages;

// Web pages read as Word opens them (a line per block) and as Excel opens them (column A).
class TestHtmlParser : public QObject
{
    Q_OBJECT

private slots:
    void paragraphs_data()
    {
        QTest::addColumn<QByteArray>("Page");
        QTest::addColumn<QStringList>("Lines");
        QTest::newRow("Word page") << WordPage(QStringLiteral(
            "<h1>第一章</h1>\r\n<p class=MsoNormal>%1<o:p></o:p></p>\r\n<p class=MsoNormal><o:p>&nbsp;</o:p></p>\r\n%2%3"
            "<p class=MsoNormal>Tom &amp; Jerry&nbsp;&lt;3 &#x4E2D;&#25991;</p>\r\n"
            "<div style='mso-element:footnote-list'><p class=MsoFootnoteText>脚注</p></div>")
                                              .arg(Chinese, WordListItem(1, Japanese), WordListItem(2, Russian)))
                                   << QStringList{QStringLiteral("第一章"), Chinese, QStringLiteral("\u00A0"), Japanese,
                                          Russian, QStringLiteral("Tom & Jerry\u00A0<3 中文")};
        // Source lines wrapped inside a paragraph join with a space between words, with
        // none between Chinese or Japanese characters.
        QTest::newRow("white space") << WordPage(QStringLiteral(
            "<p>  two\r\n   words </p><p>我们明天\r\n早上</p><p>今日は\r\n  雨</p><p>한국어\r\n문장</p><p>字\r\nLatin</p>"))
                                     << QStringList{QStringLiteral("two words"), QStringLiteral("我们明天早上"),
                                            QStringLiteral("今日は雨"), QStringLiteral("한국어 문장"),
                                            QStringLiteral("字 Latin")};
        QTest::newRow("blocks, breaks and cells")
            << QByteArray("<body><div>Intro<div>nested</div>tail</div><p></p><ul><li>one<li>two<ol><li>deep</ol></ul>"
                          "<p>a<br>b<br><br>c<br></p><table><tr><td>A1<td><p>B1</p><p>B1 again</p><tr><td><td>B2</table>"
                          "<h2>end</h2></body>")
            << QStringList{QStringLiteral("Intro"), QStringLiteral("nested"), QStringLiteral("tail"), QString(),
                   QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("deep"), QStringLiteral("a"),
                   QStringLiteral("b"), QString(), QStringLiteral("c"), QStringLiteral("A1"), QStringLiteral("B1"),
                   QStringLiteral("B1 again"), QString(), QStringLiteral("B2"), QStringLiteral("end")};
        QTest::newRow("skipped content")
            << QByteArray("<html><head><title>T</title><script>var x = '<p>no</p>';</script></head><body>"
                          "<style>p {}</style><p>kept<script>document.write('x')</script></p><select><option>o</select>"
                          "<![if !supportLineBreakNewLine]><br><![endif]><p>1 &lt; 2</p><p>a <![b]> c</p></body></html>")
            << QStringList{QStringLiteral("kept"), QStringLiteral("1 < 2"), QStringLiteral("a <![b]> c")};
        QTest::newRow("preformatted") << QByteArray("<pre>\nfirst  line\r\n\tsecond</pre><p>after</p>")
                                      << QStringList{QStringLiteral("first  line"), QStringLiteral("\tsecond"),
                                             QStringLiteral("after")};
        QTest::newRow("fragment without markup around it") << QByteArray("<table><tr><td>only a cell")
                                                           << QStringList{QStringLiteral("only a cell")};
    }

    void paragraphs()
    {
        QFETCH(QByteArray, Page);
        QFETCH(QStringList, Lines);
        QCOMPARE(THtmlParser::Parse(Page, QStringLiteral("page.doc"), "windows-1252"), Lines);
    }

    // The byte-order mark first, then the MIME header's charset, then the meta element,
    // else UTF-8 when valid and the ANSI code page when not.
    void charsets_data()
    {
        QTest::addColumn<QByteArray>("Page");
        QTest::addColumn<QByteArray>("HeaderCharset");
        QTest::addColumn<QString>("Text");
        const auto Page = [](const QString& Text, const char* Codec, const char* Meta) {
            return WordPage(QStringLiteral("<p>%1</p>").arg(Text), Codec, Meta);
        };
        QTest::newRow("GB2312 meta, GB18030 text") << Page(Chinese + u'€', "GB18030", "gb2312") << QByteArray()
                                                   << QString(Chinese + u'€');
        QTest::newRow("Shift_JIS") << Page(Japanese, "Shift_JIS", "shift_jis") << QByteArray() << Japanese;
        QTest::newRow("Windows-1251") << Page(Russian, "windows-1251", "windows-1251") << QByteArray() << Russian;
        QTest::newRow("Windows-1250") << Page(Czech, "windows-1250", "windows-1250") << QByteArray() << Czech;
        QTest::newRow("meta charset") << Encode("ISO-8859-7", QStringLiteral("<meta charset=\"iso-8859-7\"><p>%1").arg(Greek))
                                      << QByteArray() << Greek;
        QTest::newRow("header before meta") << Page(Russian, "KOI8-R", "windows-1251") << QByteArray("koi8-r") << Russian;
        QTest::newRow("mark before meta") << QByteArray("\xFF\xFE") + Page(Greek, "UTF-16LE", "windows-1253")
                                          << QByteArray() << Greek;
        QTest::newRow("Word's Unicode page") << QByteArray("\xFF\xFE") + Page(Japanese, "UTF-16LE", "unicode")
                                             << QByteArray() << Japanese;
        QTest::newRow("unknown charset, UTF-8") << Page(Czech, "UTF-8", "x-nowhere") << QByteArray() << Czech;
        QTest::newRow("none, UTF-8") << Page(Chinese, "UTF-8", "") << QByteArray() << Chinese;
        QTest::newRow("none, ANSI code page") << Page(Chinese, "GB18030", "") << QByteArray() << Chinese;
    }

    void charsets()
    {
        QFETCH(QByteArray, Page);
        QFETCH(QByteArray, HeaderCharset);
        QFETCH(QString, Text);
        QCOMPARE(THtmlParser::Parse(Page, QStringLiteral("page.doc"), "GB18030", HeaderCharset), QStringList{Text});
    }

    void columnA_data()
    {
        QTest::addColumn<QByteArray>("Page");
        QTest::addColumn<QStringList>("Lines");
        QTest::newRow("Excel sheet") << ExcelPage(QStringLiteral(
            " <tr height=18><td height=18 class=xl65 width=72>%1</td><td width=72>B1</td></tr>\r\n"
            " <tr><td x:num=\"45296\">2024/1/5</td><td>B2</td></tr>\r\n <tr><td x:num>12</td></tr>\r\n"
            " <tr><td></td><td>B4</td></tr>\r\n <tr><td x:str=\"'0012\">0012</td></tr>\r\n").arg(Russian))
                                     << QStringList{Russian, QStringLiteral("45296"), QStringLiteral("12"), QString(),
                                            QStringLiteral("'0012")};
        // A cell spanning rows keeps column A empty below it; the next cell of those rows
        // is in column B. Spans reach the last used row.
        QTest::newRow("spans") << QByteArray("<table><tr><td rowspan=2 colspan=2>%1</td><td>C1</td></tr>"
                                             "<tr><td>C2 not A</td></tr><tr><td colspan=3>A3</td></tr>"
                                             "<tr><td>A4</td><td rowspan=3>B4</td></tr></table>")
                                      .replace("%1", Greek.toUtf8())
                               << QStringList{Greek, QString(), QStringLiteral("A3"), QStringLiteral("A4"), QString(),
                                      QString()};
        QTest::newRow("text around tables") << QByteArray("<h1>Report</h1><p>line<br>break</p><br><table><tr><td>a"
                                                          "</table>tail<table><tr><td>b</td></tr></table>")
                                            << QStringList{QStringLiteral("Report"), QStringLiteral("line"),
                                                   QStringLiteral("break"), QString(), QStringLiteral("a"),
                                                   QStringLiteral("tail"), QStringLiteral("b")};
        // Paragraphs, line breaks and tables inside a cell stay in the cell.
        QTest::newRow("inside a cell")
            << QByteArray("<table><tr><td><p>one</p><p>two</p>x<br>y<table><tr><td>in</td><td>ner</td></tr></table>"
                          "</td><td>B</td></tr><tr><td>next</td></tr></table>")
            << QStringList{QStringLiteral("one\ntwo\nx\ny\nin\nner"), QStringLiteral("next")};
        QTest::newRow("no table") << QByteArray("<p>only</p><div>text</div>")
                                  << QStringList{QStringLiteral("only"), QStringLiteral("text")};
        QTest::newRow("empty page") << QByteArray("<html><body></body></html>") << QStringList();
    }

    void columnA()
    {
        QFETCH(QByteArray, Page);
        QFETCH(QStringList, Lines);
        QCOMPARE(THtmlSheetParser::Parse(Page, QStringLiteral("report.xls"), "windows-1252"), Lines);
    }

    // Nesting deeper than a page has is refused with the file named, not walked
    // recursively; stray end tags against that depth stay cheap.
    void deepNesting()
    {
        const QByteArray Allowed = QByteArray("<b>").repeated(THtmlBlocks::MaximumDepth - 3) + "deep"
            + QByteArray("</x>").repeated(100000);
        QCOMPARE(THtmlParser::Parse(Allowed, QStringLiteral("deep.doc")), QStringList{QStringLiteral("deep")});
        const QByteArray TooDeep = QByteArray("<div>").repeated(200000) + "x";
        for (const auto Parse : {&THtmlParser::Parse, &THtmlSheetParser::Parse})
        {
            try
            {
                Parse(TooDeep, QStringLiteral("/docs/deep.doc"), QByteArray(), QByteArrayView());
                QFAIL("no error");
            }
            catch (const EDocument& Error)
            {
                QVERIFY2(Error.Message().contains(QStringLiteral("/docs/deep.doc"))
                        && Error.Message().contains(QString::number(THtmlBlocks::MaximumDepth)),
                    qPrintable(Error.Message()));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestHtmlParser)
#include "tst_htmlparser.moc"
