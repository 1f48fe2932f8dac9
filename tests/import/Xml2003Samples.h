#pragma once

#include "RtfSamples.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringEncoder>
#include <QStringList>

// Small Word 2003 XML documents and Excel 2003 XML workbooks, each with the lines that
// Word or Excel shows of it, shared by their readers' tests and the fuzzers' seeds.
namespace Xml2003Samples
{
using RtfSamples::Chinese;
using RtfSamples::Czech;
using RtfSamples::Greek;
using RtfSamples::Russian;

struct TSample
{
    const char* Name;
    QByteArray Content;
    QStringList Lines;
};

inline QByteArray Utf8(const QString& Text)
{
    return Text.toUtf8();
}

inline QByteArray WordDocument(const QByteArray& Body, bool WithApplication = true)
{
    return QByteArray(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)" "\r\n")
        + (WithApplication ? R"(<?mso-application progid="Word.Document"?>)" "\r\n" : "")
        + R"(<w:wordDocument xmlns:w="http://schemas.microsoft.com/office/word/2003/wordml" )"
          R"(xmlns:wx="http://schemas.microsoft.com/office/word/2003/auxHint" xmlns:aml="http://schemas.microsoft.com/aml/2001/core" )"
          R"(xmlns:v="urn:schemas-microsoft-com:vml" xmlns:o="urn:schemas-microsoft-com:office:office" xml:space="preserve">)"
          R"(<o:DocumentProperties><o:Title>Title</o:Title></o:DocumentProperties>)"
          R"(<w:fonts><w:defaultFonts w:ascii="Times New Roman"/></w:fonts>)"
          R"(<w:styles><w:style w:type="paragraph" w:styleId="Normal"><w:name w:val="Normal"/></w:style></w:styles>)"
          R"(<w:body><wx:sect>)"
        + Body
        + R"(<w:sectPr><w:hdr w:type="odd"><w:p><w:r><w:t>Header</w:t></w:r></w:p></w:hdr></w:sectPr></wx:sect></w:body></w:wordDocument>)";
}

inline QByteArray P(const QByteArray& Runs)
{
    return "<w:p><w:pPr><w:pStyle w:val=\"Normal\"/></w:pPr>" + Runs + "</w:p>";
}

inline QByteArray R(const QByteArray& Text)
{
    return "<w:r><w:rPr><w:b/></w:rPr><w:t>" + Text + "</w:t></w:r>";
}

inline QList<TSample> WordSamples()
{
    QStringEncoder Utf16(QStringConverter::Utf16LE, QStringEncoder::Flag::WriteBom);
    return {
        {"paragraphs and runs", WordDocument(P(R(Utf8(Chinese.left(4))) + R(Utf8(Chinese.mid(4)))) + P("") + P(R(Utf8(Czech)))),
            {Chinese, QString(), Czech}},
        {"tabs and breaks", WordDocument(P("<w:r><w:t>a</w:t><w:tab/><w:t>b</w:t><w:br/><w:t>c</w:t></w:r>")),
            {QStringLiteral("a\tb c")}},
        {"tables and sub-sections",
            WordDocument("<wx:sub-section>" + P(R("before")) + "<w:tbl><w:tblPr/><w:tr><w:tc>" + P(R("A1")) + "</w:tc><w:tc>"
                + P("") + "</w:tc></w:tr></w:tbl></wx:sub-section>" + P(R("after"))),
            {QStringLiteral("before"), QStringLiteral("A1"), QString(), QStringLiteral("after")}},
        {"tracked changes",
            WordDocument(P(R("dog") + R"(<aml:annotation aml:id="0" w:type="Word.Deletion" aml:author="A"><aml:content>)"
                "<w:r><w:delText>frog</w:delText></w:r></aml:content></aml:annotation>"
                R"(<aml:annotation aml:id="1" w:type="Word.Insertion" aml:author="A"><aml:content>)" + R(" cat")
                + "</aml:content></aml:annotation>")),
            {QStringLiteral("dog cat")}},
        {"fields, links, notes, comments and text boxes",
            WordDocument(P("<w:fldSimple w:instr=\" DATE \">" + R("1 May") + "</w:fldSimple>"
                + "<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:instrText> PAGE </w:instrText></w:r>"
                  "<w:r><w:fldChar w:fldCharType=\"separate\"/></w:r>" + R(", page 7") + "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r>"
                + "<w:hlink w:dest=\"https://example.org\">" + R(", link") + "</w:hlink>"
                + "<w:r><w:footnote>" + P(R("note")) + "</w:footnote></w:r>"
                + R"(<aml:annotation aml:id="2" w:type="Word.Comment"><aml:content>)" + P(R("comment"))
                + "</aml:content></aml:annotation>"
                + "<w:r><w:pict><v:shape><v:textbox><w:txbxContent>" + P(R("boxed"))
                + "</w:txbxContent></v:textbox></v:shape><w:binData w:name=\"wordml://1.png\">iVBORw0KGgo=</w:binData></w:pict></w:r>")),
            {QStringLiteral("1 May, page 7, link")}},
        {"UTF-16", Utf16.encode(QString::fromUtf8(WordDocument(P(R(Utf8(Greek)))).replace("UTF-8", "UTF-16"))), {Greek}},
        {"without the application's instruction", WordDocument(P(R(Utf8(Russian))), false), {Russian}},
    };
}

inline QByteArray Workbook(const QByteArray& Worksheets, const QByteArray& Options = QByteArray())
{
    return R"(<?xml version="1.0"?>)" "\r\n" R"(<?mso-application progid="Excel.Sheet"?>)" "\r\n"
           R"(<Workbook xmlns="urn:schemas-microsoft-com:office:spreadsheet" xmlns:o="urn:schemas-microsoft-com:office:office" )"
           R"(xmlns:x="urn:schemas-microsoft-com:office:excel" xmlns:ss="urn:schemas-microsoft-com:office:spreadsheet" )"
           R"(xmlns:html="http://www.w3.org/TR/REC-html40">)"
           R"(<DocumentProperties xmlns="urn:schemas-microsoft-com:office:office"><Author>A</Author></DocumentProperties>)"
           R"(<ExcelWorkbook xmlns="urn:schemas-microsoft-com:office:excel">)"
        + Options + R"(</ExcelWorkbook><Styles><Style ss:ID="Default" ss:Name="Normal"/></Styles>)" + Worksheets
        + "</Workbook>";
}

inline QByteArray Worksheet(const QByteArray& Rows, const QByteArray& TableAttributes = QByteArray())
{
    return "<Worksheet ss:Name=\"Sheet1\"><Table" + TableAttributes + ">" + Rows
        + "</Table><WorksheetOptions xmlns=\"urn:schemas-microsoft-com:office:excel\"/></Worksheet>";
}

inline QByteArray Row(const QByteArray& Cells, const QByteArray& Attributes = QByteArray())
{
    return "<Row" + Attributes + ">" + Cells + "</Row>";
}

inline QByteArray Cell(const char* Type, const QByteArray& Value, const QByteArray& Attributes = QByteArray())
{
    return "<Cell" + Attributes + "><Data ss:Type=\"" + Type + "\">" + Value + "</Data></Cell>";
}

inline QByteArray Text(const QString& Value)
{
    return Cell("String", Value.toUtf8());
}

inline QList<TSample> SpreadsheetSamples()
{
    return {
        {"strings in column A",
            Workbook(Worksheet(Row(Text(Chinese) + Text(QStringLiteral("B"))) + Row(Text(Russian)) + Row(Text(Czech))
                + Row(Text(Greek)))),
            {Chinese, Russian, Czech, Greek}},
        {"numbers, booleans, errors and formulas",
            Workbook(Worksheet(Row(Cell("Number", "12")) + Row(Cell("Number", "3.5")) + Row(Cell("Number", "1.5E-7"))
                + Row(Cell("Boolean", "1")) + Row(Cell("Boolean", "0")) + Row(Cell("Error", "#DIV/0!"))
                + Row(Cell("Number", "2", " ss:Formula=\"=1+1\"")))),
            {QStringLiteral("12"), QStringLiteral("3.5"), QStringLiteral("0.00000015"), QStringLiteral("TRUE"),
                QStringLiteral("FALSE"), QStringLiteral("#DIV/0!"), QStringLiteral("2")}},
        {"dates as serial numbers",
            Workbook(Worksheet(Row(Cell("DateTime", "2024-01-01T00:00:00.000")) + Row(Cell("DateTime", "1899-12-31T12:00:00.000"))
                + Row(Cell("DateTime", "1900-02-28T00:00:00.000")) + Row(Cell("DateTime", "1900-03-01T06:00:00.000"))
                + Row(Cell("DateTime", "no date")))),
            {QStringLiteral("45292"), QStringLiteral("0.5"), QStringLiteral("59"), QStringLiteral("61.25"),
                QStringLiteral("no date")}},
        {"dates from 1904", Workbook(Worksheet(Row(Cell("DateTime", "1904-01-02T00:00:00.000"))), "<Date1904/>"),
            {QStringLiteral("1")}},
        {"row and cell indexes",
            Workbook(Worksheet(Row(Text(QStringLiteral("one"))) + Row(Text(QStringLiteral("three")), " ss:Index=\"3\"")
                + Row(Cell("String", "B4", " ss:Index=\"2\"") + Text(QStringLiteral("C4")))
                + Row(Cell("String", "A5 wide", " ss:MergeAcross=\"1\"") + Text(QStringLiteral("C5")))
                + Row(Text(QStringLiteral("six")), " ss:Span=\"1\"") + Row(Text(QStringLiteral("eight"))))),
            {QStringLiteral("one"), QString(), QStringLiteral("three"), QString(), QStringLiteral("A5 wide"),
                QStringLiteral("six"), QString(), QStringLiteral("eight")}},
        {"rich text, comments and line breaks",
            Workbook(Worksheet(Row("<Cell><ss:Data ss:Type=\"String\" xmlns=\"http://www.w3.org/TR/REC-html40\"><B>bold</B> and "
                                   "<Font html:Color=\"#FF0000\">red</Font></ss:Data><Comment ss:Author=\"A\"><ss:Data>note</ss:Data>"
                                   "</Comment></Cell>")
                + Row(Cell("String", "two&#10;rows")))),
            {QStringLiteral("bold and red"), QStringLiteral("two\nrows")}},
        {"first worksheet only",
            Workbook(Worksheet(Row(Text(QStringLiteral("first")))) + Worksheet(Row(Text(QStringLiteral("second"))))),
            {QStringLiteral("first")}},
        {"row count claimed beyond the cells", Workbook(Worksheet(Row(Text(QStringLiteral("x"))), " ss:ExpandedRowCount=\"3\"")),
            {QStringLiteral("x"), QString(), QString()}},
        {"empty worksheet", Workbook(Worksheet("", " ss:ExpandedColumnCount=\"1\" ss:ExpandedRowCount=\"1\"")), {}},
    };
}
} // namespace Xml2003Samples
