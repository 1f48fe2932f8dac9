// Load times of large source documents through TDocument: a 20,000-row workbook (.xlsx,
// Excel 97-2003 .xls and Excel 2003 XML), a 20,000-paragraph Word document (.docx, RTF and
// Word 2003 XML) and a 10 MB text file, and the binary Word stream reader on 20,000
// paragraphs of Word 97-2003 and of Word 95, the latter also with fonts of two code pages
// and deleted words; the same paragraphs as a Word web page and web archive under .doc,
// the same rows as an Excel web page and as CSV under .xls; all generated here.

#include "import/Document.h"

#include "../tests/import/BiffBuilder.h"
#include "../tests/import/CompoundFileBuilder.h"
#include "../tests/import/RtfSamples.h"
#include "../tests/import/Xml2003Samples.h"
#include "../tests/import/ZipBuilder.h"
#include "../tests/import/WebPages.h"
#include "../tests/import/WordDocumentBuilder.h"

#include "import/WordStreamParser.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

namespace
{
constexpr int Rows = 20000;

QString Write(const QTemporaryDir& Dir, const QString& Name, const QByteArray& Content)
{
    const QString Path = Dir.filePath(Name);
    QFile File(Path);
    if (!File.open(QIODevice::WriteOnly) || File.write(Content) != Content.size())
        throw std::runtime_error("cannot write benchmark input");
    return Path;
}

QByteArray Workbook()
{
    QByteArray Shared = R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)";
    QByteArray Sheet = R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
                       "<dimension ref=\"A1:C" + QByteArray::number(Rows) + "\"/><sheetData>";
    for (int I = 1; I <= Rows; ++I)
    {
        const QByteArray N = QByteArray::number(I);
        Shared += "<si><t>第 " + N + " 行字幕 subtitle line number " + N + "</t></si>";
        Sheet += "<row r=\"" + N + "\"><c r=\"A" + N + "\" t=\"s\"><v>" + QByteArray::number(I - 1)
            + "</v></c><c r=\"B" + N + "\"><v>" + N + ".25</v></c><c r=\"C" + N + "\" t=\"inlineStr\"><is><t>note</t></is></c></row>";
    }
    Shared += "</sst>";
    Sheet += "</sheetData></worksheet>";
    return MakeZip({{QStringLiteral("_rels/.rels"),
                       R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>)"},
        {QStringLiteral("xl/workbook.xml"),
            R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets><sheet name="S" sheetId="1" r:id="rId1"/></sheets></workbook>)"},
        {QStringLiteral("xl/_rels/workbook.xml.rels"),
            R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/><Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/></Relationships>)"},
        {QStringLiteral("xl/sharedStrings.xml"), Shared}, {QStringLiteral("xl/worksheets/sheet1.xml"), Sheet}});
}

// The same rows as the .xlsx: shared strings in column A, numbers in B, text in C.
QByteArray BinaryWorkbook()
{
    QStringList Shared;
    for (int I = 1; I <= Rows; ++I)
        Shared << QStringLiteral("第 %1 行字幕 subtitle line number %1").arg(I);
    const QByteArray Stream = TBiff::Workbook(
        [](TBiff& Sheet) {
            QByteArray Dimensions;
            TBiff::U32(Dimensions, 0), TBiff::U32(Dimensions, Rows), TBiff::U16(Dimensions, 0), TBiff::U16(Dimensions, 3);
            TBiff::U16(Dimensions, 0);
            Sheet.Record(0x0200, Dimensions);
            for (int I = 0; I < Rows; ++I)
            {
                QByteArray Label = TBiff::Cell(quint16(I), 0);
                TBiff::U32(Label, quint32(I));
                Sheet.Record(0x00FD, Label);
                Sheet.Record(0x0203, TBiff::Cell(quint16(I), 1) + TBiff::Double(I + 1.25));
                Sheet.Record(0x0204, TBiff::Cell(quint16(I), 2) + TBiff::Latin("note"));
            }
        },
        [&Shared](TBiff& Globals) { TBiff::SharedStrings(Globals, Shared); });
    return MakeCompoundFile({{QStringLiteral("Workbook"), Stream}});
}

QByteArray WordDocument()
{
    QByteArray Body = R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:body>)";
    for (int I = 1; I <= Rows; ++I)
    {
        const QByteArray N = QByteArray::number(I);
        Body += "<w:p><w:pPr><w:pStyle w:val=\"Normal\"/></w:pPr><w:r><w:rPr><w:b/></w:rPr><w:t>第 " + N
            + " 段</w:t></w:r><w:r><w:t xml:space=\"preserve\"> paragraph text number " + N + "</w:t></w:r></w:p>";
    }
    Body += "<w:sectPr/></w:body></w:document>";
    return MakeZip({{QStringLiteral("word/document.xml"), Body}});
}

// The paragraphs of the .docx as Word writes them in RTF: the Chinese in GBK bytes and as
// Unicode with stand-ins, each paragraph in runs of its own.
QByteArray RtfDocument()
{
    QByteArray Body;
    for (int I = 1; I <= Rows; ++I)
    {
        const QByteArray N = QByteArray::number(I);
        Body += "\\pard\\plain\\s0\\ql{\\rtlch\\fcs1\\af0\\ltrch\\fcs0\\b\\f1\\insrsid123 "
            + RtfSamples::Escaped("GBK", QStringLiteral("第 ")) + N + RtfSamples::Escaped("GBK", QStringLiteral(" 段")) + "}"
            + "{\\rtlch\\fcs1\\af0\\ltrch\\fcs0\\insrsid123 \\u27573\\'b4\\'cb paragraph text number " + N + "\\par }";
    }
    return RtfSamples::Document("\\ansi\\ansicpg936\\uc2", "{\\f1\\fnil\\fcharset134 SimSun;}", Body);
}

QByteArray WordXmlDocument()
{
    QByteArray Body;
    for (int I = 1; I <= Rows; ++I)
    {
        const QByteArray N = QByteArray::number(I);
        Body += Xml2003Samples::P(Xml2003Samples::R("第 " + N + " 段") + "<w:r><w:t> paragraph text number " + N + "</w:t></w:r>");
    }
    return Xml2003Samples::WordDocument(Body);
}

// The rows of the .xlsx: text in column A, numbers in B, text in C.
QByteArray SpreadsheetXmlWorkbook()
{
    using namespace Xml2003Samples;
    QByteArray Table;
    for (int I = 1; I <= Rows; ++I)
    {
        const QByteArray N = QByteArray::number(I);
        Table += Row(Cell("String", "第 " + N + " 行字幕 subtitle line number " + N) + Cell("Number", N + ".25")
            + Cell("String", "note"));
    }
    return Xml2003Samples::Workbook(Worksheet(Table, " ss:ExpandedColumnCount=\"3\" ss:ExpandedRowCount=\"" + QByteArray::number(Rows) + "\""));
}

QByteArray TextFile()
{
    const QByteArray Line = QStringLiteral("这是一行字幕文本 This is one subtitle line of text\r\n").toUtf8();
    return Line.repeated((10 << 20) / Line.size() + 1);
}

// The streams of a Word 97-2003 document with the same paragraphs as the .docx, half of
// them in 8-bit pieces and half in UTF-16 pieces, read without the compound file around them.
void WordStreams(QByteArray& WordDocument, QByteArray& Table)
{
    TWordDocumentBuilder Builder;
    for (int I = 1; I <= Rows; ++I)
    {
        const QString N = QString::number(I);
        Builder.Pieces.append(I % 2 == 0
                ? TWordDocumentBuilder::TPiece{QStringLiteral("Paragraph text number %1\r").arg(N), true}
                : TWordDocumentBuilder::TPiece{QStringLiteral("第 %1 段 paragraph text number %1\r").arg(N), false});
    }
    Builder.Build(WordDocument, Table);
}

// The same paragraphs in the one stream of a fast-saved Word 95 document in code page 1251.
QByteArray Word95Stream()
{
    TWordDocumentBuilder Builder;
    Builder.Language = 0x0419;
    Builder.CodePage = "windows-1251";
    for (int I = 1; I <= Rows; ++I)
        Builder.Pieces.append({QStringLiteral("Абзац %1 paragraph text number %1\r").arg(I), true});
    return Builder.BuildWord6();
}

QString WebParagraphs()
{
    QString Body;
    for (int I = 1; I <= Rows; ++I)
        Body += QStringLiteral("<p class=MsoNormal><b><span lang=ZH-CN>第 %1 段</span></b><span lang=EN-US> paragraph "
                               "text number %1<o:p></o:p></span></p>\r\n")
                    .arg(I);
    return Body;
}

QByteArray WebTable()
{
    QString Table;
    for (int I = 1; I <= Rows; ++I)
        Table += QStringLiteral(" <tr height=18><td height=18 class=xl65>第 %1 行字幕 subtitle line number %1</td>"
                                "<td align=right x:num>%1.25</td><td>note</td></tr>\r\n")
                     .arg(I);
    return WebPages::ExcelPage(Table);
}

QByteArray CommaSeparated()
{
    QByteArray Text;
    for (int I = 1; I <= Rows; ++I)
    {
        const QByteArray N = QByteArray::number(I);
        Text += "\"第 " + N + " 行字幕, subtitle line number " + N + "\"," + N + ".25,note\r\n";
    }
    return Text;
}

// The same paragraphs with formatting: the Cyrillic words in a Cyrillic font, the rest in a
// Western one behind a word deleted while changes were tracked, in a Western document.
QByteArray FormattedWord95Stream()
{
    TWordDocumentBuilder Builder;
    Builder.FontCharacterSets = {0, 204};
    const QByteArray Cyrillic = QByteArray(1, char(93)) + TWordDocumentBuilder::UInt16(1);
    const QByteArray Deleted("\x41\x01", 2);
    qint64 Start = 0;
    for (int I = 1; I <= Rows; ++I)
    {
        const QString Russian = QStringLiteral("Абзац %1 ").arg(I);
        const QString Rest = QStringLiteral("paragraph text number %1\r").arg(I);
        Builder.Pieces.append({Russian, true, 0, "windows-1251"});
        Builder.Pieces.append({QStringLiteral("gone "), true});
        Builder.Pieces.append({Rest, true});
        Builder.CharacterRuns.append({Start, Start + Russian.size(), Cyrillic});
        Builder.CharacterRuns.append({Start + Russian.size(), Start + Russian.size() + 5, Deleted});
        Start += Russian.size() + 5 + Rest.size();
    }
    return Builder.BuildWord6();
}

void Load(benchmark::State& State, const QString& Path)
{
    TDocument Document(QByteArrayLiteral("GB18030"));
    for (auto _ : State)
    {
        Document.Load(Path);
        benchmark::DoNotOptimize(Document.Count());
    }
    State.counters["lines"] = double(Document.Count());
}

QTemporaryDir* Dir = nullptr;

void BM_LoadXlsx20000Rows(benchmark::State& State)
{
    static const QString Path = Write(*Dir, QStringLiteral("rows.xlsx"), Workbook());
    Load(State, Path);
}

void BM_LoadXls20000Rows(benchmark::State& State)
{
    static const QString Path = Write(*Dir, QStringLiteral("rows.xls"), BinaryWorkbook());
    Load(State, Path);
}

void BM_LoadDocx20000Paragraphs(benchmark::State& State)
{
    static const QString Path = Write(*Dir, QStringLiteral("paragraphs.docx"), WordDocument());
    Load(State, Path);
}

void BM_LoadSpreadsheetXml20000Rows(benchmark::State& State)
{
    static const QString Path = Write(*Dir, QStringLiteral("rows-2003.xls"), SpreadsheetXmlWorkbook());
    Load(State, Path);
}

void BM_LoadRtf20000Paragraphs(benchmark::State& State)
{
    static const QString Path = Write(*Dir, QStringLiteral("paragraphs-rtf.doc"), RtfDocument());
    Load(State, Path);
}

void BM_LoadWordXml20000Paragraphs(benchmark::State& State)
{
    static const QString Path = Write(*Dir, QStringLiteral("paragraphs-2003.doc"), WordXmlDocument());
    Load(State, Path);
}

void BM_LoadText10MB(benchmark::State& State)
{
    static const QString Path = Write(*Dir, QStringLiteral("text.txt"), TextFile());
    Load(State, Path);
}

void BM_LoadHtmlDoc20000Paragraphs(benchmark::State& State)
{
    static const QString Path = Write(*Dir, QStringLiteral("page.doc"), WebPages::WordPage(WebParagraphs()));
    Load(State, Path);
}

void BM_LoadMhtDoc20000Paragraphs(benchmark::State& State)
{
    static const QString Path = Write(*Dir, QStringLiteral("archive.doc"),
        WebPages::Archive(WebPages::WordPage(WebParagraphs(), "GB18030", "gb2312"), "gb2312"));
    Load(State, Path);
}

void BM_LoadHtmlXls20000Rows(benchmark::State& State)
{
    static const QString Path = Write(*Dir, QStringLiteral("page.xls"), WebTable());
    Load(State, Path);
}

void BM_LoadCsvXls20000Rows(benchmark::State& State)
{
    static const QString Path = Write(*Dir, QStringLiteral("text.xls"), CommaSeparated());
    Load(State, Path);
}

void Parse(benchmark::State& State, const QByteArray& WordDocument, const QByteArray& Table = QByteArray())
{
    qsizetype Lines = 0;
    for (auto _ : State)
    {
        Lines = TWordStreamParser::Parse(WordDocument, Table, QString(), QStringLiteral("paragraphs.doc")).size();
        benchmark::DoNotOptimize(Lines);
    }
    State.counters["lines"] = double(Lines);
}

void BM_ParseDocStreams20000Paragraphs(benchmark::State& State)
{
    QByteArray WordDocument;
    QByteArray Table;
    WordStreams(WordDocument, Table);
    Parse(State, WordDocument, Table);
}

void BM_ParseWord95Stream20000Paragraphs(benchmark::State& State)
{
    Parse(State, Word95Stream());
}

void BM_ParseWord95FormattedStream20000Paragraphs(benchmark::State& State)
{
    Parse(State, FormattedWord95Stream());
}
} // namespace

BENCHMARK(BM_LoadXlsx20000Rows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadXls20000Rows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadDocx20000Paragraphs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSpreadsheetXml20000Rows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadRtf20000Paragraphs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadWordXml20000Paragraphs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadText10MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadHtmlDoc20000Paragraphs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadMhtDoc20000Paragraphs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadHtmlXls20000Rows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCsvXls20000Rows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseDocStreams20000Paragraphs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseWord95Stream20000Paragraphs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseWord95FormattedStream20000Paragraphs)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication App(argc, argv);
    QTemporaryDir TempDir;
    Dir = &TempDir;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
