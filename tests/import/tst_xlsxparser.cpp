#include "import/DocumentError.h"
#include "import/XlsxParser.h"

#include "XlsxParts.h"
#include "ZipBuilder.h"

#include <QLocale>
#include <QTest>

namespace
{
const QString FileName = QStringLiteral("/docs/表格.xlsx");

using XlsxParts::RootRels;
using XlsxParts::Sheet;
using XlsxParts::Workbook;
using XlsxParts::WorkbookRels;

const QByteArray SharedStrings = QByteArrayLiteral(
    R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="4" uniqueCount="4">)"
    R"(<si><t>plain</t></si>)"
    R"(<si><r><rPr><b/></rPr><t>rich </t></r><r><t xml:space="preserve">text </t></r><rPh sb="0" eb="1"><t>ルビ</t></rPh></si>)"
    R"(<si><t xml:space="preserve"> </t></si>)"
    R"(<si><t>line_x000D_break</t></si>)"
    R"(</sst>)");

QByteArray Xlsx(const QByteArray& FirstSheet)
{
    return MakeZip({{QStringLiteral("_rels/.rels"), RootRels}, {QStringLiteral("xl/workbook.xml"), Workbook},
        {QStringLiteral("xl/_rels/workbook.xml.rels"), WorkbookRels},
        {QStringLiteral("xl/sharedStrings.xml"), SharedStrings},
        {QStringLiteral("xl/worksheets/sheet1.xml"), FirstSheet},
        {QStringLiteral("xl/worksheets/sheet2.xml"),
            Sheet("A1", R"(<row r="1"><c r="A1" t="inlineStr"><is><t>second sheet</t></is></c></row>)")}});
}

QByteArray Inline(const char* Reference, const char* Text)
{
    return QByteArray("<c r=\"") + Reference + "\" t=\"inlineStr\"><is><t>" + Text + "</t></is></c>";
}

QByteArray Row(int Number, const QByteArray& Cells)
{
    return "<row r=\"" + QByteArray::number(Number) + "\">" + Cells + "</row>";
}

QStringList Lines(std::initializer_list<const char*> Texts)
{
    QStringList Result;
    for (const char* Text : Texts)
        Result.append(QString::fromUtf8(Text));
    return Result;
}
} // namespace

class TestXlsxParser : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void columnA_data()
    {
        QTest::addColumn<QByteArray>("SheetXml");
        QTest::addColumn<QStringList>("Expected");

        QByteArray FiveAndC7;
        for (int I = 1; I <= 5; ++I)
            FiveAndC7 += Row(I, Inline(qPrintable(QStringLiteral("A%1").arg(I)), qPrintable(QStringLiteral("v%1").arg(I))));
        FiveAndC7 += Row(7, Inline("C7", "not column A"));

        QTest::newRow("A1..A5 and C7 read through row 7")
            << Sheet("A1:C7", FiveAndC7) << Lines({"v1", "v2", "v3", "v4", "v5", "", ""});
        QTest::newRow("last used row is read") << Sheet("A1:A2", Row(1, Inline("A1", "a")) + Row(2, Inline("A2", "last")))
                                               << Lines({"a", "last"});
        QTest::newRow("no dimension: cells decide") << Sheet("", FiveAndC7) << Lines({"v1", "v2", "v3", "v4", "v5", "", ""});
        QTest::newRow("dimension of one cell") << Sheet("A1", Row(1, Inline("A1", "only"))) << Lines({"only"});
        QTest::newRow("dimension beyond the cells") << Sheet("A1:B4", Row(2, Inline("A2", "x"))) << Lines({"", "x", "", ""});
        QTest::newRow("stale dimension loses nothing")
            << Sheet("A1", Row(1, Inline("A1", "a")) + Row(3, Inline("A3", "c"))) << Lines({"a", "", "c"});
        QTest::newRow("empty sheet") << Sheet("", "") << QStringList{};
        QTest::newRow("empty sheet as Excel writes it") << Sheet("A1", "") << QStringList{};
        QTest::newRow("shared strings: plain, rich without phonetic, blank, escape")
            << Sheet("A1:A4",
                   Row(1, R"(<c r="A1" t="s"><v>0</v></c>)") + Row(2, R"(<c r="A2" t="s"><v>1</v></c>)")
                       + Row(3, R"(<c r="A3" t="s"><v>2</v></c>)") + Row(4, R"(<c r="A4" t="s"><v>3</v></c>)"))
            << QStringList{QStringLiteral("plain"), QStringLiteral("rich text "), QStringLiteral(" "), QStringLiteral("line\rbreak")};
        QTest::newRow("numbers")
            << Sheet("A1:A7",
                   Row(1, R"(<c r="A1"><v>12</v></c>)") + Row(2, R"(<c r="A2" t="n"><v>3.5</v></c>)")
                       + Row(3, R"(<c r="A3" s="4"><v>45292</v></c>)") + Row(4, R"(<c r="A4"><v>0.1</v></c>)")
                       + Row(5, R"(<c r="A5"><v>-2.5E-3</v></c>)") + Row(6, R"(<c r="A6"><v>1.0000000000000002</v></c>)")
                       + Row(7, R"(<c r="A7"><v>-0</v></c>)"))
            << Lines({"12", "3.5", "45292", "0.1", "-0.0025", "1.0000000000000002", "0"});
        QTest::newRow("booleans, errors, formulas")
            << Sheet("A1:A5",
                   Row(1, R"(<c r="A1" t="b"><v>1</v></c>)") + Row(2, R"(<c r="A2" t="b"><v>0</v></c>)")
                       + Row(3, R"(<c r="A3" t="e"><f>1/0</f><v>#DIV/0!</v></c>)")
                       + Row(4, R"(<c r="A4" t="str"><f>"a"&amp;"b"</f><v>ab</v></c>)")
                       + Row(5, R"(<c r="A5"><f>2*3</f><v>6</v></c>)"))
            << Lines({"TRUE", "FALSE", "#DIV/0!", "ab", "6"});
        QTest::newRow("rich inline string, empty cell, formatted blank")
            << Sheet("A1:A3",
                   Row(1, R"(<c r="A1" t="inlineStr"><is><r><t>in</t></r><r><t>line</t></r></is></c>)")
                       + Row(2, R"(<c r="A2" s="3"/>)") + Row(3, R"(<c r="A3" t="s"/>)"))
            << Lines({"inline", "", ""});
        QTest::newRow("rows and cells without references")
            << Sheet("", "<row><c t=\"inlineStr\"><is><t>r1</t></is></c><c t=\"inlineStr\"><is><t>B1</t></is></c></row>"
                         "<row><c t=\"inlineStr\"><is><t>r2</t></is></c></row>")
            << Lines({"r1", "r2"});
    }

    void columnA()
    {
        QFETCH(QByteArray, SheetXml);
        QFETCH(QStringList, Expected);
        QCOMPARE(TXlsxParser::Parse(Xlsx(SheetXml), FileName), Expected);
    }

    void formatNumber_data()
    {
        QTest::addColumn<double>("Value");
        QTest::addColumn<QString>("Expected");
        QTest::newRow("million") << 1e6 << QStringLiteral("1000000");
        QTest::newRow("twelve digits") << 123456789012.0 << QStringLiteral("123456789012");
        QTest::newRow("largest plain") << 1e20 << QStringLiteral("100000000000000000000");
        QTest::newRow("exponent from 1e21") << 1.5e21 << QStringLiteral("1.5E+21");
        QTest::newRow("small plain") << 1.25e-7 << QStringLiteral("0.000000125");
        QTest::newRow("exponent below 1e-7") << -2e-8 << QStringLiteral("-2E-08");
        QTest::newRow("round trip") << 0.1 + 0.2 << QStringLiteral("0.30000000000000004");
        QTest::newRow("serial date") << 45292.5 << QStringLiteral("45292.5");
        QTest::newRow("beyond double precision") << 1.234567890123457e17 << QStringLiteral("123456789012345700");
        QTest::newRow("negative fraction") << -0.5 << QStringLiteral("-0.5");
        QTest::newRow("negative exponent notation") << -1.5e300 << QStringLiteral("-1.5E+300");
    }

    void formatNumber()
    {
        QFETCH(double, Value);
        QFETCH(QString, Expected);
        QCOMPARE(TXlsxParser::FormatNumber(Value), Expected);
    }

    void numbersUseLocaleDecimalSeparator()
    {
        QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
        const QByteArray Xml = Sheet("A1:A2", Row(1, R"(<c r="A1"><v>3.5</v></c>)") + Row(2, R"(<c r="A2"><v>12</v></c>)"));
        QCOMPARE(TXlsxParser::Parse(Xlsx(Xml), FileName), Lines({"3,5", "12"}));
    }

    void hugeDimensionIsCappedAtExcelsRowLimit()
    {
        const QStringList Result = TXlsxParser::Parse(Xlsx(Sheet("A1:A99999999999", Row(1, Inline("A1", "x")))), FileName);
        QCOMPARE(Result.size(), TXlsxParser::MaximumRow);
    }

    void damagedSheetNamesFile_data()
    {
        QTest::addColumn<QByteArray>("Xml");
        QTest::newRow("shared string index out of range") << Sheet("A1", Row(1, R"(<c r="A1" t="s"><v>99</v></c>)"));
        QTest::newRow("document type declaring an entity")
            << QByteArray(R"(<!DOCTYPE worksheet [<!ENTITY testent "hidden">]>)"
                   + Sheet("A1", Row(1, Inline("A1", "&testent;"))));
    }

    void damagedSheetNamesFile()
    {
        QFETCH(QByteArray, Xml);
        try
        {
            TXlsxParser::Parse(Xlsx(Xml), FileName);
            QFAIL("no error");
        }
        catch (const EDocument& Error)
        {
            QVERIFY(Error.Message().contains(FileName));
        }
    }

    void noWorkbookIsInvalidFormat()
    {
        const QByteArray Zip = MakeZip({{QStringLiteral("word/document.xml"), QByteArrayLiteral("<document/>")}});
        try
        {
            TXlsxParser::Parse(Zip, FileName);
            QFAIL("no error");
        }
        catch (const EDocument& Error)
        {
            QCOMPARE(Error.Message(), QStringLiteral("Érvénytelen dokumentum formátum: %1.").arg(FileName));
        }
    }

    void workbookWithoutSheetsFails()
    {
        const QByteArray Zip = MakeZip({{QStringLiteral("xl/workbook.xml"), QByteArrayLiteral("<workbook><sheets/></workbook>")}});
        QVERIFY_THROWS_EXCEPTION(EDocument, TXlsxParser::Parse(Zip, FileName));
    }
};

QTEST_GUILESS_MAIN(TestXlsxParser)
#include "tst_xlsxparser.moc"
