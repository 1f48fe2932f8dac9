#include "import/OfficeContent.h"

#include "RtfSamples.h"
#include "Xml2003Samples.h"

#include <QStringEncoder>
#include <QTest>

using TKind = TOfficeContent::TKind;
Q_DECLARE_METATYPE(TKind)

class TestOfficeContent : public QObject
{
    Q_OBJECT

private slots:
    void sniff_data()
    {
        using namespace Xml2003Samples;
        QTest::addColumn<QByteArray>("Content");
        QTest::addColumn<TKind>("Kind");
        const QByteArray Word = WordDocument(P(R("x")));
        const QByteArray Excel = Workbook(Worksheet(Row(Text(QStringLiteral("x")))));
        QTest::newRow("ZIP package") << QByteArray("PK\x03\x04 rest", 9) << TKind::Zip;
        QTest::newRow("compound file") << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1 rest") << TKind::CompoundFile;
        QTest::newRow("RTF") << RtfSamples::Document("\\ansi", "", "x") << TKind::Rtf;
        QTest::newRow("Word 2003 XML") << Word << TKind::WordXml2003;
        QTest::newRow("Word 2003 XML without declarations") << Word.mid(Word.indexOf("<w:wordDocument")) << TKind::WordXml2003;
        QTest::newRow("Word 2003 XML in UTF-16 without mark")
            << QByteArray(QStringEncoder(QStringConverter::Utf16BE).encode(QString::fromUtf8(Word))) << TKind::WordXml2003;
        QTest::newRow("Excel 2003 XML") << Excel << TKind::SpreadsheetXml2003;
        QTest::newRow("Excel 2003 XML after a comment and blanks")
            << QByteArray("\xEF\xBB\xBF \r\n<!-- exported -->") + Excel << TKind::SpreadsheetXml2003;
        // Office's web pages name Office namespaces too, but not these formats'.
        QTest::newRow("Excel web page")
            << QByteArray("<html xmlns:x=\"urn:schemas-microsoft-com:office:excel\" xmlns=\"http://www.w3.org/TR/REC-html40\">")
            << TKind::Unknown;
        QTest::newRow("web page naming the spreadsheet namespace")
            << QByteArray("<html><body>urn:schemas-microsoft-com:office:spreadsheet</body></html>") << TKind::Unknown;
        QTest::newRow("workbook of another namespace") << QByteArray("<?xml version=\"1.0\"?><Workbook xmlns=\"urn:other\"/>")
                                                      << TKind::Unknown;
        QTest::newRow("unclosed declaration") << QByteArray("<?xml version=\"1.0\"") << TKind::Unknown;
        QTest::newRow("text") << QByteArray("{rtf} is no RTF") << TKind::Unknown;
    }

    void sniff()
    {
        QFETCH(QByteArray, Content);
        QFETCH(TKind, Kind);
        QCOMPARE(TOfficeContent::Sniff(Content), Kind);
    }
};

QTEST_GUILESS_MAIN(TestOfficeContent)
#include "tst_officecontent.moc"
