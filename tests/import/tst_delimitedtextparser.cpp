#include "import/DelimitedTextParser.h"

#include "WebPages.h"

#include <QTest>

using namespace WebPages;

class TestDelimitedTextParser : public QObject
{
    Q_OBJECT

private slots:
    void firstColumn_data()
    {
        QTest::addColumn<QString>("Text");
        QTest::addColumn<QStringList>("Lines");
        QTest::newRow("comma") << QStringLiteral("%1,b,c\r\n%2,e,f\r\n").arg(Chinese, Czech) << QStringList{Chinese, Czech};
        // Decimal commas in a semicolon-separated file do not make it comma-separated.
        QTest::newRow("semicolon, decimal commas") << QStringLiteral("Name;Preis\n%1;1,5\nB;12,25\n").arg(Greek)
                                                   << QStringList{QStringLiteral("Name"), Greek, QStringLiteral("B")};
        QTest::newRow("tab, commas in text") << QStringLiteral("%1\tx\n%2\ty\n").arg(Russian, Japanese)
                                             << QStringList{Russian, Japanese};
        QTest::newRow("sep line") << QStringLiteral("sep=|\r\na,1|b\r\nc,2|d") << QStringList{QStringLiteral("a,1"), QStringLiteral("c,2")};
        QTest::newRow("quoting")
            << QStringLiteral("\"%1,\r\n第二行\",x\n\"say \"\"hi\"\"\",y\n\"closed\"after,z\n"
                              "mid\"quote,w\n\"\",v\nlast,\"b\nwith break\"\n")
                   .arg(Chinese)
            << QStringList{Chinese + QStringLiteral(",\r\n第二行"), QStringLiteral("say \"hi\""),
                   QStringLiteral("closedafter"), QStringLiteral("mid\"quote"), QString(), QStringLiteral("last")};
        QTest::newRow("line ends and empty records") << QStringLiteral("a,1\rb,2\n\nc,3\r\n,4\r\n")
                                                     << QStringList{QStringLiteral("a"), QStringLiteral("b"), QString(),
                                                            QStringLiteral("c"), QString()};
        QTest::newRow("single column") << QStringLiteral("only\n\"quoted, still one\"") << QStringList{QStringLiteral("only"), QStringLiteral("quoted, still one")};
        QTest::newRow("unterminated quote") << QStringLiteral("\"open,\nto the end") << QStringList{QStringLiteral("open,\nto the end")};
        QTest::newRow("NUL ends the text") << QStringLiteral("a,b\n").append(QChar(u'\0')).append(u"c,d\n") << QStringList{QStringLiteral("a")};
    }

    void firstColumn()
    {
        QFETCH(QString, Text);
        QFETCH(QStringList, Lines);
        QCOMPARE(TDelimitedTextParser::FirstColumn(Text), Lines);
    }

    // As text files: the byte-order mark, else UTF-8, else the ANSI code page.
    void encodings_data()
    {
        QTest::addColumn<QByteArray>("Content");
        QTest::addColumn<QByteArray>("LegacyCodec");
        QTest::addColumn<QString>("First");
        const QString Text = QStringLiteral("%1\t2\r\n");
        QTest::newRow("UTF-16 LE, Excel's Unicode text") << QByteArray("\xFF\xFE") + Encode("UTF-16LE", Text.arg(Japanese))
                                                         << QByteArray("windows-1252") << Japanese;
        QTest::newRow("UTF-8 mark") << QByteArray("\xEF\xBB\xBF") + Text.arg(Greek).toUtf8() << QByteArray("GB18030") << Greek;
        QTest::newRow("UTF-8") << Text.arg(Czech).toUtf8() << QByteArray("GB18030") << Czech;
        QTest::newRow("GB18030") << Encode("GB18030", Text.arg(Chinese)) << QByteArray("GB18030") << Chinese;
        QTest::newRow("Windows-1251") << Encode("windows-1251", Text.arg(Russian)) << QByteArray("windows-1251") << Russian;
    }

    void encodings()
    {
        QFETCH(QByteArray, Content);
        QFETCH(QByteArray, LegacyCodec);
        QFETCH(QString, First);
        QCOMPARE(TDelimitedTextParser::Parse(Content, QStringLiteral("x.xls"), LegacyCodec), QStringList{First});
    }
};

QTEST_GUILESS_MAIN(TestDelimitedTextParser)
#include "tst_delimitedtextparser.moc"
