#include "import/DocumentError.h"
#include "import/RtfParser.h"

#include "RtfSamples.h"

#include <QTest>

namespace
{
const QString FileName = QStringLiteral("/docs/剧本.doc");
}

class TestRtfParser : public QObject
{
    Q_OBJECT

private slots:
    void lines_data()
    {
        QTest::addColumn<QByteArray>("Content");
        QTest::addColumn<QStringList>("Expected");
        for (const RtfSamples::TSample& Sample : RtfSamples::Samples())
            QTest::newRow(Sample.Name) << Sample.Content << Sample.Lines;
    }

    void lines()
    {
        QFETCH(QByteArray, Content);
        QFETCH(QStringList, Expected);
        QCOMPARE(TRtfParser::Parse(Content, FileName), Expected);
    }

    void deepNestingDoesNotExhaustStackOrMemory_data()
    {
        QTest::addColumn<QByteArray>("Open");
        QTest::addColumn<QByteArray>("Close");
        QTest::newRow("formatting groups") << QByteArrayLiteral("{\\b ") << QByteArrayLiteral("}");
        QTest::newRow("destinations passed over") << QByteArrayLiteral("{\\*\\x ") << QByteArrayLiteral("}");
    }

    void deepNestingDoesNotExhaustStackOrMemory()
    {
        QFETCH(QByteArray, Open);
        QFETCH(QByteArray, Close);
        const int Depth = 1000000;
        const QByteArray Content = "{\\rtf1 before " + Open.repeated(Depth) + "deep" + Close.repeated(Depth) + " after}";
        const QString Deep = Open.contains('*') ? QString() : QStringLiteral("deep");
        QCOMPARE(TRtfParser::Parse(Content, FileName), QStringList{QStringLiteral("before ") + Deep + QStringLiteral(" after")});
    }

    void codePageWithoutConverterNamesFileAndCodePage()
    {
        const QByteArray Content = RtfSamples::Document("\\ansi", "{\\f1\\fcharset130 Johab;}", "ok \\f1 \\'b0\\'a1");
        try
        {
            const QStringList Lines = TRtfParser::Parse(Content, FileName);
            QFAIL(qPrintable(QStringLiteral("no error; lines: ") + Lines.join(u'|')));
        }
        catch (const EDocument& Error)
        {
            QVERIFY2(Error.Message().contains(FileName) && Error.Message().contains(QStringLiteral("1361")),
                qPrintable(Error.Message()));
        }
    }
};

QTEST_GUILESS_MAIN(TestRtfParser)
#include "tst_rtfparser.moc"
