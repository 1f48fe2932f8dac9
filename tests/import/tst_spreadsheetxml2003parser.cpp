#include "import/DocumentError.h"
#include "import/SpreadsheetXml2003Parser.h"

#include "Xml2003Samples.h"

#include <QLocale>
#include <QTest>

namespace
{
const QString FileName = QStringLiteral("/docs/报表.xls");
}

class TestSpreadsheetXml2003Parser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void columnA_data()
    {
        QTest::addColumn<QByteArray>("Content");
        QTest::addColumn<QStringList>("Expected");
        for (const Xml2003Samples::TSample& Sample : Xml2003Samples::SpreadsheetSamples())
            QTest::newRow(Sample.Name) << Sample.Content << Sample.Lines;
    }

    void columnA()
    {
        QFETCH(QByteArray, Content);
        QFETCH(QStringList, Expected);
        QCOMPARE(TSpreadsheetXml2003Parser::Parse(Content, FileName), Expected);
    }

    void invalidRowIsRefused_data()
    {
        using namespace Xml2003Samples;
        QTest::addColumn<QByteArray>("Rows");
        QTest::addColumn<QString>("Index");
        QTest::newRow("going back") << Row(Text(QStringLiteral("a")), " ss:Index=\"5\"") + Row(Text(QStringLiteral("b")), " ss:Index=\"2\"")
                                    << QStringLiteral("2");
        QTest::newRow("beyond Excel's rows") << Row(Text(QStringLiteral("a")), " ss:Index=\"1048577\"") << QStringLiteral("1048577");
        QTest::newRow("no number") << Row(Text(QStringLiteral("a")), " ss:Index=\"x\"") << QStringLiteral("x");
    }

    void invalidRowIsRefused()
    {
        QFETCH(QByteArray, Rows);
        QFETCH(QString, Index);
        try
        {
            TSpreadsheetXml2003Parser::Parse(Xml2003Samples::Workbook(Xml2003Samples::Worksheet(Rows)), FileName);
            QFAIL("no error");
        }
        catch (const EDocument& Error)
        {
            QCOMPARE(Error.Message(), QStringLiteral("文件 '%1' 的工作表中有无效的行号 '%2'。").arg(FileName, Index));
        }
    }
};

QTEST_GUILESS_MAIN(TestSpreadsheetXml2003Parser)
#include "tst_spreadsheetxml2003parser.moc"
