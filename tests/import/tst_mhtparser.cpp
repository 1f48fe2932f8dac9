#include "import/DocumentError.h"
#include "import/MhtParser.h"

#include "WebPages.h"

#include <QTest>

using namespace WebPages;

class TestMhtParser : public QObject
{
    Q_OBJECT

private slots:
    void rootPage_data()
    {
        QTest::addColumn<QByteArray>("Archive");
        QTest::addColumn<QStringList>("Lines");
        const QString Body = QStringLiteral("<p class=MsoNormal>%1</p>\r\n<p class=MsoNormal>%2</p>");
        // The part's header names the charset; the page itself names none.
        QTest::newRow("quoted-printable, Windows-1251")
            << Archive(WordPage(Body.arg(Russian, QStringLiteral("Привет")), "windows-1251", ""), "windows-1251")
            << QStringList{Russian, QStringLiteral("Привет")};
        QTest::newRow("base64, Shift_JIS") << Archive(WordPage(Body.arg(Japanese, Russian), "Shift_JIS", "shift_jis"),
                                                  "shift_jis", "base64")
                                           << QStringList{Japanese, Russian};
        QTest::newRow("8bit UTF-8, no charset anywhere")
            << Archive(WordPage(Body.arg(Greek, Chinese), "UTF-8", ""), "", "8bit") << QStringList{Greek, Chinese};
        // The start parameter names the root part, here the second.
        QByteArray Started = Archive(WordPage(Body.arg(Czech, Greek)), "utf-8", "8bit", "; start=\"<root@nuvex>\"");
        Started.replace("Content-ID: <image001.png@01DA0000>", "Content-ID: <root@nuvex>")
            .replace("base64\r\nContent-Type: image/png", "8bit\r\nContent-Type: text/html")
            .replace("iVBORw0KGgo=", "<p>second part</p>");
        QTest::newRow("start parameter") << Started << QStringList{QStringLiteral("second part")};
    }

    void rootPage()
    {
        QFETCH(QByteArray, Archive);
        QFETCH(QStringList, Lines);
        QCOMPARE(TMhtParser::Parse(Archive, QStringLiteral("archive.mht"), "windows-1252"), Lines);
    }

    void sheet()
    {
        const QByteArray Page = ExcelPage(QStringLiteral("<tr><td>%1</td><td>B</td></tr><tr><td>%2</td></tr>").arg(Czech, Greek));
        QCOMPARE(TMhtParser::ParseSheet(Archive(Page, "utf-8"), QStringLiteral("sheet.xls")), (QStringList{Czech, Greek}));
    }

    void noPage()
    {
        QByteArray Pictures = Archive(QByteArray(), "");
        Pictures.replace("Content-Type: text/html", "Content-Type: text/css");
        try
        {
            TMhtParser::Parse(Pictures, QStringLiteral("/docs/pictures.mht"));
            QFAIL("no error");
        }
        catch (const EDocument& Error)
        {
            QVERIFY2(Error.Message().contains(QStringLiteral("/docs/pictures.mht")), qPrintable(Error.Message()));
        }
    }
};

QTEST_GUILESS_MAIN(TestMhtParser)
#include "tst_mhtparser.moc"
