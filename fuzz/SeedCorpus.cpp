// Writes the seed corpora of the fuzz targets into tests/data/fuzz/<target>/: small
// inputs of every format, made with the builders the tests use, beside the documents
// kept as test data. Seeds show the fuzzer the structures a format has, so each format
// gets its features one by one, plus the damaged forms its reader refuses.
//
//     nuvex-fuzz-seeds <repository>/tests/data/fuzz
//
// The output is the same on every run. Inputs that once broke a parser live in the same
// folders under names of their own; this tool never removes a file.
#include "FuzzEntries.h"

#include "CompoundFileBuilder.h"
#include "DocxChunkParts.h"
#include "OfficeEncryptor.h"
#include "RtfSamples.h"
#include "WebPages.h"
#include "WordDocumentBuilder.h"
#include "Xml2003Samples.h"
#include "XlsxParts.h"
#include "ZipBuilder.h"

#include "model/DocumentItem.h"
#include "model/Project.h"
#include "persistence/XmlSerializer.h"
#include "titles/SubtitleItemFactory.h"
#include "titles/TitleTemplate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <functional>
#include <map>

namespace
{
class TSeedWriter
{
public:
    explicit TSeedWriter(const QString& Folder) : FFolder(Folder) {}

    void Add(const char* Target, const QString& Name, const QByteArray& Content)
    {
        const QDir Folder(FFolder + u'/' + QLatin1String(Target));
        if (!Folder.mkpath(QStringLiteral(".")))
            qFatal("cannot create %s", qPrintable(Folder.path()));
        QFile File(Folder.filePath(Name));
        if (!File.open(QIODevice::WriteOnly | QIODevice::Truncate) || File.write(Content) != Content.size())
            qFatal("cannot write %s", qPrintable(File.fileName()));
        // A seed the reader takes reaches further into it than one it refuses at once,
        // so the summary tells how many of each there are.
        TCount& Count = FCounts[Target];
        ++Count.Seeds;
        if (TFuzzEntries::Run(*TFuzzEntries::Find(Target), Content))
            ++Count.Taken;
    }

    void PrintSummary() const
    {
        for (const auto& [Target, Count] : FCounts)
            std::printf("%-18s %3d seeds, %3d taken by the reader\n", Target.c_str(), Count.Seeds, Count.Taken);
    }

private:
    struct TCount
    {
        int Seeds = 0;
        int Taken = 0;
    };

    QString FFolder;
    std::map<std::string, TCount> FCounts;
};

QByteArray Fixture(const char* Path)
{
    QFile File(QStringLiteral(NUVEX_SOURCE_DIR "/") + QLatin1String(Path));
    if (!File.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", Path);
    return File.readAll();
}

QByteArray Encode(const char* Encoding, const QString& Text)
{
    QStringEncoder Encoder(Encoding);
    if (!Encoder.isValid())
        qFatal("no encoder for %s", Encoding);
    return Encoder.encode(Text);
}

QByteArray Utf16Le(const QString& Text)
{
    return Encode("UTF-16LE", Text);
}

QByteArray Utf16Be(const QString& Text)
{
    return Encode("UTF-16BE", Text);
}

const QByteArray Utf8Bom("\xEF\xBB\xBF");
const QByteArray Utf16LeBom("\xFF\xFE");
const QByteArray Utf16BeBom("\xFE\xFF");

void TextSeeds(TSeedWriter& Seeds)
{
    for (const char* Name : {"utf8-bom.txt", "utf8-nobom-lf.txt", "utf16le-bom.txt", "utf16be-bom.txt", "gb18030-nobom.txt"})
        Seeds.Add("text", QLatin1String(Name), Fixture((QByteArray("tests/data/documents/") + Name).constData()));
    const QString Lines = QStringLiteral("第一行\r\nsecond line\r\n\r\n最后 last");
    Seeds.Add("text", QStringLiteral("utf8-crlf.txt"), Lines.toUtf8());
    Seeds.Add("text", QStringLiteral("utf16le-bom-crlf.txt"), Utf16LeBom + Utf16Le(Lines));
    Seeds.Add("text", QStringLiteral("utf16be-bom-crlf.txt"), Utf16BeBom + Utf16Be(Lines));
    Seeds.Add("text", QStringLiteral("lone-cr.txt"), "one\rtwo\r\rthree");
    Seeds.Add("text", QStringLiteral("mixed-breaks.txt"), "a\r\nb\nc\rd\n\r\n\r");
    Seeds.Add("text", QStringLiteral("empty.txt"), QByteArray());
    Seeds.Add("text", QStringLiteral("utf8-bom-only.txt"), Utf8Bom);
    Seeds.Add("text", QStringLiteral("utf16le-bom-only.txt"), Utf16LeBom);
    Seeds.Add("text", QStringLiteral("nul-ends-text.txt"), QByteArray("before\0after\nnext\n", 18));
    Seeds.Add("text", QStringLiteral("invalid-utf8-legacy.txt"), "caf\xE9 \xFF? \x80\xD6\xD0\xCE\xC4\n");
    Seeds.Add("text", QStringLiteral("utf8-overlong.txt"), "\xC0\xAF\xE0\x80\xAF\xED\xA0\x80\n");
    Seeds.Add("text", QStringLiteral("utf8-supplementary.txt"), QStringLiteral("😀 emoji\n𠀀 ext-B\n").toUtf8());
    Seeds.Add("text", QStringLiteral("utf16le-odd-length.txt"), Utf16LeBom + Utf16Le(QStringLiteral("ab")) + '\0');
    Seeds.Add("text", QStringLiteral("utf16le-lone-surrogate.txt"), Utf16LeBom + QByteArray("\x00\xD8" "a\x00\n\x00", 6));
    Seeds.Add("text", QStringLiteral("utf16be-surrogate-pair.txt"), Utf16BeBom + Utf16Be(QStringLiteral("😀\r\n字幕")));
    Seeds.Add("text", QStringLiteral("gb18030-four-byte.txt"), Encode("GB18030", QStringLiteral("€ 𠀀 中文\r\n第二行")));
    Seeds.Add("text", QStringLiteral("long-line.txt"), QByteArray(3000, 'x') + '\n');
    Seeds.Add("text", QStringLiteral("many-empty-lines.txt"), QByteArray(500, '\n'));
}

void MicroDvdSeeds(TSeedWriter& Seeds)
{
    Seeds.Add("microdvd", QStringLiteral("movie.sub"), Fixture("tests/data/documents/movie.sub"));
    const QString Subtitles = QStringLiteral("{1}{25}Hello|World\r\n{26}{50}第二|行\r\n{51}{75}{y:i}斜体\r\n");
    Seeds.Add("microdvd", QStringLiteral("utf8-nobom.sub"), Subtitles.toUtf8());
    Seeds.Add("microdvd", QStringLiteral("utf8-bom.sub"), Utf8Bom + Subtitles.toUtf8());
    Seeds.Add("microdvd", QStringLiteral("utf16le-bom.sub"), Utf16LeBom + Utf16Le(Subtitles));
    Seeds.Add("microdvd", QStringLiteral("utf16be-bom.sub"), Utf16BeBom + Utf16Be(Subtitles));
    Seeds.Add("microdvd", QStringLiteral("gb18030-nobom.sub"), Encode("GB18030", Subtitles));
    Seeds.Add("microdvd", QStringLiteral("frame-rate-line.sub"), "{1}{1}23.976\n{100}{200}{c:$0000FF}Red|line\n");
    Seeds.Add("microdvd", QStringLiteral("no-braces.sub"), "no frame groups at all\nsecond|row\n");
    Seeds.Add("microdvd", QStringLiteral("odd-braces.sub"), "{}{}\n{1}\n}}{{\n{1}{2}|||\n{0}{0}");
    Seeds.Add("microdvd", QStringLiteral("lone-cr.sub"), "{1}{2}a|b\r{3}{4}c\r");
    Seeds.Add("microdvd", QStringLiteral("invalid-utf8.sub"), "{1}{2}caf\xE9|\xFF\n");
    Seeds.Add("microdvd", QStringLiteral("nul-inside.sub"), QByteArray("{1}{2}a\0{3}{4}b\n", 17));
    Seeds.Add("microdvd", QStringLiteral("empty.sub"), QByteArray());
}

const QByteArray DocxRootRels = QByteArrayLiteral(
    R"(<?xml version="1.0" encoding="UTF-8"?>)"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties" Target="docProps/core.xml"/>)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/>)"
    R"(</Relationships>)");

const QByteArray ContentTypes = QByteArrayLiteral(
    R"(<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
    R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
    R"(<Default Extension="xml" ContentType="application/xml"/></Types>)");

QByteArray WordBody(const QByteArray& Content)
{
    return R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
           R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" )"
           R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><w:body>)"
        + Content + "<w:sectPr/></w:body></w:document>";
}

QByteArray WordParagraph(const QByteArray& Runs)
{
    return "<w:p><w:pPr><w:pStyle w:val=\"Normal\"/></w:pPr>" + Runs + "</w:p>";
}

QByteArray WordRun(const QByteArray& Text)
{
    return "<w:r><w:rPr><w:b/></w:rPr><w:t xml:space=\"preserve\">" + Text + "</w:t></w:r>";
}

QByteArray Docx(const QByteArray& DocumentXml, const QByteArray& RootRels = DocxRootRels,
    const QString& DocumentPart = QStringLiteral("word/document.xml"))
{
    QList<QPair<QString, QByteArray>> Parts{{QStringLiteral("[Content_Types].xml"), ContentTypes}};
    if (!RootRels.isEmpty())
        Parts.append({QStringLiteral("_rels/.rels"), RootRels});
    Parts.append({DocumentPart, DocumentXml});
    return MakeZip(Parts);
}

void DocxSeeds(TSeedWriter& Seeds)
{
    Seeds.Add("docx", QStringLiteral("paragraphs.docx"), Fixture("tests/data/documents/paragraphs.docx"));
    const auto Add = [&Seeds](const char* Name, const QByteArray& Package) {
        Seeds.Add("docx", QLatin1String(Name) + QStringLiteral(".docx"), Package);
    };
    Add("runs", Docx(WordBody(WordParagraph(WordRun("第一") + WordRun("行 one")) + WordParagraph("")
        + WordParagraph(WordRun("  two  spaces  ")))));
    Add("tabs-and-breaks", Docx(WordBody(WordParagraph(WordRun("a")
        + "<w:r><w:tab/><w:t>b</w:t><w:br/><w:t>c</w:t><w:cr/><w:t>d</w:t><w:ptab/><w:noBreakHyphen/></w:r>"))));
    Add("nested-tables", Docx(WordBody(WordParagraph(WordRun("before")) + "<w:tbl><w:tblPr/><w:tr><w:tc>"
        + WordParagraph(WordRun("A1")) + "</w:tc><w:tc><w:tbl><w:tr><w:tc>" + WordParagraph(WordRun("nested"))
        + "</w:tc></w:tr></w:tbl>" + WordParagraph("") + "</w:tc></w:tr></w:tbl>" + WordParagraph(WordRun("after")))));
    Add("content-controls", Docx(WordBody("<w:sdt><w:sdtPr/><w:sdtContent>" + WordParagraph(WordRun("in block"))
        + "</w:sdtContent></w:sdt>"
        + WordParagraph("<w:sdt><w:sdtContent>" + WordRun("inline") + "</w:sdtContent></w:sdt>" + WordRun(" run")))));
    Add("revisions-fields-links", Docx(WordBody(WordParagraph(WordRun("kept")
        + "<w:del><w:r><w:delText>gone</w:delText></w:r></w:del><w:ins>" + WordRun(" inserted") + "</w:ins>"
        + "<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:instrText> PAGE </w:instrText></w:r>"
        + "<w:r><w:fldChar w:fldCharType=\"separate\"/></w:r>" + WordRun(" 7")
        + "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r><w:hyperlink r:id=\"rId9\">" + WordRun(" link")
        + "</w:hyperlink><w:moveFrom>" + WordRun("moved") + "</w:moveFrom>"))));
    Add("tracked-paragraphs", Docx(WordBody("<w:p><w:pPr><w:rPr><w:del w:id=\"1\"/></w:rPr></w:pPr>" + WordRun("joined ")
        + "</w:p>" + WordParagraph(WordRun("paragraph")) + "<w:p><w:pPr><w:rPr><w:moveFrom w:id=\"2\"/></w:rPr></w:pPr>"
        + "<w:moveFrom>" + WordRun("moved") + "</w:moveFrom></w:p><w:tbl><w:tr><w:trPr><w:del w:id=\"3\"/></w:trPr><w:tc>"
        + WordParagraph(WordRun("deleted row")) + "</w:tc></w:tr><w:tr><w:tc>" + WordParagraph(WordRun("kept row"))
        + "</w:tc></w:tr></w:tbl><w:p><w:pPr><w:rPr><w:ins w:id=\"4\"/></w:rPr></w:pPr><w:moveTo>" + WordRun("moved")
        + "</w:moveTo></w:p>")));
    Add("text-box-and-alternate-content", Docx(WordBody(WordParagraph(WordRun("outer")
        + "<w:r><w:pict><v:shape xmlns:v=\"urn:schemas-microsoft-com:vml\"><v:textbox><w:txbxContent>"
        + WordParagraph(WordRun("boxed")) + "</w:txbxContent></v:textbox></v:shape></w:pict></w:r>"
        + "<mc:AlternateContent xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\">"
          "<mc:Choice Requires=\"wps\">" + WordRun(" choice") + "</mc:Choice><mc:Fallback>" + WordRun(" fallback")
        + "</mc:Fallback></mc:AlternateContent>"))));
    Add("ruby-and-notes", Docx(WordBody(WordParagraph("<w:r><w:ruby><w:rt>" + WordRun("かん") + "</w:rt><w:rubyBase>"
        + WordRun("漢") + "</w:rubyBase></w:ruby></w:r><w:r><w:footnoteReference w:id=\"1\"/></w:r>"
        + "<w:r><w:commentReference w:id=\"0\"/></w:r>"))));
    Add("entities-and-cdata", Docx(WordBody(WordParagraph(
        "<w:r><w:t>&amp; &lt;tag&gt; &#x4E2D;&#25991; &quot;q&quot;</w:t><w:t><![CDATA[<raw> & text]]></w:t></w:r>"))));
    QByteArray Unprefixed = WordBody(WordParagraph(WordRun("default namespace")));
    Unprefixed.replace("w:", "").replace("xmlns:w=", "xmlns=");
    Add("default-namespace", Docx(Unprefixed));
    QByteArray Strict = WordBody(WordParagraph(WordRun("strict")));
    Strict.replace("http://schemas.openxmlformats.org/wordprocessingml/2006/main",
        "http://purl.oclc.org/ooxml/wordprocessingml/main");
    Add("strict-namespace", Docx(Strict));
    Add("main-part-elsewhere", Docx(WordBody(WordParagraph(WordRun("moved main part"))),
        QByteArray(DocxRootRels).replace("Target=\"word/document.xml\"", "Target=\"/content/../main/doc.xml\""),
        QStringLiteral("main/doc.xml")));
    Add("external-target", Docx(WordBody(WordParagraph(WordRun("external first"))),
        QByteArray(DocxRootRels).replace("Id=\"rId1\"", "Id=\"rId1\" TargetMode=\"External\"")));
    Add("no-relationships", Docx(WordBody(WordParagraph(WordRun("found by its usual name"))), QByteArray()));
    Add("utf16-part", Docx(Utf16LeBom + Utf16Le(QString::fromUtf8(WordBody(WordParagraph(WordRun("UTF-16 文本")))))));
    Add("no-body", Docx(R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"/>)"));
    Add("not-xml", Docx("<w:document><w:body><w:p>"));
    Add("doctype", Docx(R"(<!DOCTYPE d [<!ENTITY e "entity text">]>)" + WordBody(WordParagraph(WordRun("&e;")))));
    Add("no-main-part", MakeZip({{QStringLiteral("_rels/.rels"), DocxRootRels}}));
    Add("imported-rtf-and-text", DocxChunkParts::Package(WordBody(WordParagraph(WordRun("before"))
        + DocxChunkParts::AltChunk("rId5") + "<w:tbl><w:tr><w:tc>" + DocxChunkParts::AltChunk("rId6") + WordParagraph("")
        + "</w:tc></w:tr></w:tbl>" + DocxChunkParts::AltChunk("rId5"))));
    Add("imported-web-page", DocxChunkParts::Package(WordBody(DocxChunkParts::AltChunk("rId7"))));
    Add("imported-web-archive-and-document",
        DocxChunkParts::Package(WordBody(DocxChunkParts::AltChunk("rId8") + DocxChunkParts::AltChunk("rId9"))));
    Add("imported-part-missing", DocxChunkParts::Package(WordBody(DocxChunkParts::AltChunk("rId404"))));
    Seeds.Add("docx", QStringLiteral("empty-archive.docx"), QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'));
}

// A sample's name as a file name: "fonts' character sets" becomes "fonts-character-sets.doc".
QString SampleFileName(const char* Name, const char* Extension)
{
    QString File;
    for (const QChar C : QString::fromUtf8(Name))
    {
        if (C.isLetterOrNumber())
            File += C.toLower();
        else if (!File.endsWith(u'-'))
            File += u'-';
    }
    return File + QLatin1String(Extension);
}

void RtfSeeds(TSeedWriter& Seeds)
{
    for (const RtfSamples::TSample& Sample : RtfSamples::Samples())
        Seeds.Add("rtf", SampleFileName(Sample.Name, ".doc"), Sample.Content);
    Seeds.Add("rtf", QStringLiteral("unbalanced-groups.doc"), "{\\rtf1 {\\b open {{\\f1 \\par}}}}} after");
    Seeds.Add("rtf", QStringLiteral("truncated-escape.doc"), "{\\rtf1 text\\'4");
    Seeds.Add("rtf", QStringLiteral("binary-beyond-the-end.doc"), "{\\rtf1 {\\pict\\bin999999 {{ab}}");
    Seeds.Add("rtf", QStringLiteral("out-of-range-parameters.doc"),
        "{\\rtf1\\ansicpg-5\\deff99999999999{\\fonttbl{\\f-3\\fcharset65536\\cpg0 x;}}"
        "\\uc-2\\u99999999999 \\u-70000?\\f-3 \\'ff\\par}");
    Seeds.Add("rtf", QStringLiteral("code-page-without-converter.doc"),
        RtfSamples::Document("\\ansi\\ansicpg1361", "", "\\'b0\\'a1"));
}

void WordXml2003Seeds(TSeedWriter& Seeds)
{
    using namespace Xml2003Samples;
    for (const TSample& Sample : WordSamples())
        Seeds.Add("wordml2003", SampleFileName(Sample.Name, ".doc"), Sample.Content);
    Seeds.Add("wordml2003", QStringLiteral("not-xml.doc"), WordDocument(P(R("cut"))).chopped(30));
    Seeds.Add("wordml2003", QStringLiteral("doctype.doc"),
        WordDocument(P(R("&e;"))).replace("<w:wordDocument", "<!DOCTYPE w:wordDocument [<!ENTITY e \"x\">]><w:wordDocument"));
    Seeds.Add("wordml2003", QStringLiteral("no-body.doc"),
        "<w:wordDocument xmlns:w=\"http://schemas.microsoft.com/office/word/2003/wordml\"/>");
}

void SpreadsheetXml2003Seeds(TSeedWriter& Seeds)
{
    using namespace Xml2003Samples;
    for (const TSample& Sample : SpreadsheetSamples())
        Seeds.Add("spreadsheetml2003", SampleFileName(Sample.Name, ".xls"), Sample.Content);
    Seeds.Add("spreadsheetml2003", QStringLiteral("row-going-back.xls"),
        Workbook(Worksheet(Row(Text(QStringLiteral("a")), " ss:Index=\"5\"") + Row(Text(QStringLiteral("b")), " ss:Index=\"2\""))));
    Seeds.Add("spreadsheetml2003", QStringLiteral("row-beyond-excel.xls"),
        Workbook(Worksheet(Row(Text(QStringLiteral("a")), " ss:Index=\"1048577\""), " ss:ExpandedRowCount=\"99999999\"")));
    Seeds.Add("spreadsheetml2003", QStringLiteral("no-worksheet.xls"), Workbook(""));
    Seeds.Add("spreadsheetml2003", QStringLiteral("not-xml.xls"), Workbook(Worksheet(Row(Text(QStringLiteral("a"))))).chopped(30));
}

using XlsxParts::Sheet;
using XlsxParts::Workbook;
using XlsxParts::WorkbookRels;

const QByteArray SharedStrings = QByteArrayLiteral(
    R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="4" uniqueCount="4">)"
    R"(<si><t>plain</t></si>)"
    R"(<si><r><rPr><b/></rPr><t>rich </t></r><r><t xml:space="preserve">text </t></r><rPh sb="0" eb="1"><t>ルビ</t></rPh></si>)"
    R"(<si><t xml:space="preserve"> </t></si>)"
    R"(<si><t>line_x000D_break _x005F_x0041_</t></si>)"
    R"(</sst>)");

QByteArray Xlsx(const QByteArray& FirstSheet, const QByteArray& WorkbookXml = Workbook,
    const QByteArray& Strings = SharedStrings)
{
    QList<QPair<QString, QByteArray>> Parts{{QStringLiteral("_rels/.rels"), XlsxParts::RootRels},
        {QStringLiteral("xl/workbook.xml"), WorkbookXml}, {QStringLiteral("xl/_rels/workbook.xml.rels"), WorkbookRels},
        {QStringLiteral("xl/worksheets/sheet1.xml"), FirstSheet},
        {QStringLiteral("xl/worksheets/sheet2.xml"),
            Sheet("A1", R"(<row r="1"><c r="A1" t="inlineStr"><is><t>second sheet</t></is></c></row>)")}};
    if (!Strings.isEmpty())
        Parts.append({QStringLiteral("xl/sharedStrings.xml"), Strings});
    return MakeZip(Parts);
}

QByteArray Cell(const char* Reference, const char* Type, const QByteArray& Value)
{
    return QByteArray("<c r=\"") + Reference + "\"" + (*Type ? QByteArray(" t=\"") + Type + "\"" : QByteArray()) + "><v>"
        + Value + "</v></c>";
}

QByteArray InlineCell(const char* Reference, const QByteArray& Text)
{
    return QByteArray("<c r=\"") + Reference + "\" t=\"inlineStr\"><is><t>" + Text + "</t></is></c>";
}

// The package that every encrypted seed holds: one worksheet of inline strings.
QByteArray SmallWorkbook()
{
    return Xlsx(Sheet("A1:A2", "<row r=\"1\">" + InlineCell("A1", "第一行") + "</row><row r=\"2\">"
        + InlineCell("A2", "second") + "</row>"), Workbook, QByteArray());
}

void XlsxSeeds(TSeedWriter& Seeds)
{
    Seeds.Add("xlsx", QStringLiteral("column-a.xlsx"), Fixture("tests/data/documents/column-a.xlsx"));
    const auto Add = [&Seeds](const char* Name, const QByteArray& Package) {
        Seeds.Add("xlsx", QLatin1String(Name) + QStringLiteral(".xlsx"), Package);
    };
    Add("inline-strings", SmallWorkbook());
    Add("shared-strings", Xlsx(Sheet("A1:B4", "<row r=\"1\">" + Cell("A1", "s", "0") + Cell("B1", "s", "1") + "</row>"
        + "<row r=\"2\">" + Cell("A2", "s", "1") + "</row><row r=\"3\">" + Cell("A3", "s", "2") + "</row><row r=\"4\">"
        + Cell("A4", "s", "3") + "</row>")));
    Add("numbers", Xlsx(Sheet("A1:A9", "<row r=\"1\">" + Cell("A1", "", "12") + "</row><row r=\"2\">"
        + Cell("A2", "n", "3.5") + "</row><row r=\"3\">" + Cell("A3", "", "1E+21") + "</row><row r=\"4\">"
        + Cell("A4", "", "-0") + "</row><row r=\"5\">" + Cell("A5", "", "1.5E-7") + "</row><row r=\"6\">"
        + Cell("A6", "", "1000000") + "</row><row r=\"7\">" + Cell("A7", "", "0.1") + "</row><row r=\"8\">"
        + Cell("A8", "", "-123456789.125") + "</row><row r=\"9\">" + Cell("A9", "", "1.7976931348623157E+308")
        + "</row>")));
    Add("other-cell-types", Xlsx(Sheet("A1:A5", "<row r=\"1\">" + Cell("A1", "b", "1") + "</row><row r=\"2\">"
        + Cell("A2", "b", "0") + "</row><row r=\"3\">" + Cell("A3", "e", "#DIV/0!") + "</row><row r=\"4\">"
        + Cell("A4", "str", "formula text") + "</row><row r=\"5\">" + Cell("A5", "d", "2024-01-01T00:00:00")
        + "</row>")));
    Add("gaps-and-other-columns", Xlsx(Sheet("A1:C7", "<row r=\"2\">" + Cell("B2", "", "5") + InlineCell("A2", "A")
        + "</row><row r=\"6\">" + InlineCell("C6", "C only") + "</row>")));
    Add("no-references", Xlsx(Sheet("", "<row>" + InlineCell("", "no r").replace(" r=\"\"", "")
        + "</row><row><c><v>7</v></c></row>")));
    Add("no-dimension", Xlsx(Sheet("", "<row r=\"3\">" + InlineCell("A3", "third row") + "</row>")));
    Add("rich-inline", Xlsx(Sheet("A1", "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><r><t>ri</t></r><r><t>ch</t></r>"
        "<rPh><t>ignored</t></rPh></is></c></row>")));
    QByteArray Prefixed = Sheet("A1", "<row r=\"1\">" + InlineCell("A1", "prefixed") + "</row>");
    Prefixed.replace("<", "<x:").replace("<x:/", "</x:").replace("xmlns=", "xmlns:x=");
    Add("prefixed-elements", Xlsx(Prefixed));
    Add("without-shared-strings", Xlsx(Sheet("A1", "<row r=\"1\">" + Cell("A1", "s", "0") + "</row>"), Workbook, QByteArray()));
    Add("shared-string-out-of-range", Xlsx(Sheet("A1", "<row r=\"1\">" + Cell("A1", "s", "99") + "</row>")));
    Add("bad-row-number", Xlsx(Sheet("A1", "<row r=\"x1\">" + InlineCell("A1", "bad") + "</row>")));
    Add("no-sheets", Xlsx(Sheet("A1", ""), QByteArray(Workbook).replace(QByteArrayLiteral("<sheet name=\"First\" sheetId=\"2\" r:id=\"rId7\"/><sheet name=\"Second\" sheetId=\"1\" r:id=\"rId9\"/>"), "")));
    Add("missing-sheet", Xlsx(Sheet("A1", ""), QByteArray(Workbook).replace("rId7", "rId404")));
    Add("sheet-not-xml", Xlsx("<worksheet><sheetData><row>"));
    Add("no-relationships", MakeZip({{QStringLiteral("xl/workbook.xml"), Workbook},
        {QStringLiteral("xl/worksheets/sheet1.xml"), Sheet("A1", "<row r=\"1\">" + InlineCell("A1", "x") + "</row>")}}));
}

QByteArray WordBinary(const TWordDocumentBuilder& Builder)
{
    QByteArray WordDocument;
    QByteArray Table;
    Builder.Build(WordDocument, Table);
    return MakeCompoundFile({{QStringLiteral("WordDocument"), WordDocument},
        {Builder.TableOne ? QStringLiteral("1Table") : QStringLiteral("0Table"), Table}});
}

// Deleted and inserted text in character formatting and in pieces' own modifiers.
void TrackedChangeSeeds(TSeedWriter& Seeds)
{
    const QByteArray Deleted("\x00\x08\x01", 3);
    const QByteArray Inserted("\x01\x08\x01", 3);
    TWordDocumentBuilder Builder;
    Builder.Pieces = {{QStringLiteral("The dogfrog jumps\r二行目\r"), false}};
    Builder.CharacterRuns = {{4, 7, Deleted}, {7, 11, Inserted}, {17, 18, Deleted}};
    Seeds.Add("doc", QStringLiteral("tracked-changes.doc"), WordBinary(Builder));
    Builder.Pieces = {{QStringLiteral("Keep gone\ra\x07" "b\x07\x07" "c\x07\x07\x07"), true}};
    Builder.CharacterRuns = {{5, 9, Deleted}, {10, 15, Deleted}};
    Builder.RowEnds = {14, 18};
    Seeds.Add("doc", QStringLiteral("deleted-table-row.doc"), WordBinary(Builder));
    Builder.RowEnds.clear();
    Builder.CharacterRuns.clear();
    Builder.Pieces = {{QStringLiteral("Keep "), true}, {QStringLiteral("gone "), true, quint16((0x41 << 1) | (1 << 8))},
        {QStringLiteral("moved "), false, 0x0001}, {QStringLiteral("end\r"), false}};
    Builder.ModifierLists = {Deleted + Inserted};
    Seeds.Add("doc", QStringLiteral("deleted-pieces.doc"), WordBinary(Builder));
}

// Word 6.0 / Word 95 documents: one stream, 8-bit text in the code pages of its fonts.
void Word95Seeds(TSeedWriter& Seeds)
{
    const auto Add = [&Seeds](const char* Name, const TWordDocumentBuilder& Builder) {
        Seeds.Add("doc", QLatin1String(Name) + QStringLiteral(".doc"),
            MakeCompoundFile({{QStringLiteral("WordDocument"), Builder.BuildWord6()}}));
    };
    const auto Font = [](quint16 Index) { return QByteArray(1, char(93)) + TWordDocumentBuilder::UInt16(Index); };
    TWordDocumentBuilder Builder;
    Builder.Complex = false;
    Builder.Pieces = {{QStringLiteral("Déjà vu\r\r"), true}};
    Add("word95-saved-in-full", Builder);
    Builder.Complex = true;
    Builder.FontCharacterSets = {0, 204, 238, 161, 128};
    Builder.Pieces = {{QStringLiteral("Café "), true, 0, "windows-1252"}, {QStringLiteral("Установка "), true, 0, "windows-1251"},
        {QStringLiteral("před "), true, 0, "windows-1250"}, {QStringLiteral("Καλημέρα\r"), true, 0, "windows-1253"},
        {QStringLiteral("字幕\r"), true, 0, "windows-932"}};
    Builder.CharacterRuns = {{5, 15, Font(1)}, {15, 20, Font(2)}, {20, 29, Font(3)}, {29, 32, Font(4)}};
    Add("word95-fonts", Builder);
    Builder.CharacterRuns = {{0, 15, QByteArray("\x50\x02\x00", 3)}};
    Builder.Styles = {{true, 0x0FFF, 1}, {true, 0, 3}, {false, 0x0FFF, 2}, {true, 1, -1}};
    Builder.ParagraphStyles = {1, 3};
    Builder.DefaultFont = 1;
    Add("word95-styles", Builder);
    Builder.Styles.clear();
    Builder.ParagraphStyles.clear();
    Builder.FontCharacterSets.clear();
    Builder.CharacterRuns = {{4, 7, QByteArray("\x41\x01", 2)}, {7, 11, QByteArray("\x42\x01", 2)}};
    Builder.Pieces = {{QStringLiteral("The dogfrog jumps\r"), true}, {QStringLiteral("gone\r"), true, quint16((65 << 1) | (1 << 8))}};
    Add("word95-tracked-changes", Builder);
    Builder.CharacterRuns.clear();
    Builder.Language = 0x0411;
    Builder.CodePage = "windows-932";
    Builder.Pieces = {{QStringLiteral("前書き\rあ\x07い\x07\x07"), true}, {QStringLiteral("う\x07\x07\x07後\r"), true}};
    Builder.RowEnds = {8, 12};
    Add("word95-double-byte-table", Builder);
    Builder.Pieces = {{QStringLiteral("繁體字幕\r第二行\r"), false}};
    Builder.RowEnds.clear();
    Add("word95-far-east-utf16", Builder);
}

void DocSeeds(TSeedWriter& Seeds)
{
    Seeds.Add("doc", QStringLiteral("paragraphs.doc"), Fixture("tests/data/documents/paragraphs.doc"));
    Seeds.Add("doc", QStringLiteral("protected.doc"), Fixture("tests/data/documents/protected.doc"));
    const auto Add = [&Seeds](const char* Name, const TWordDocumentBuilder& Builder) {
        Seeds.Add("doc", QLatin1String(Name) + QStringLiteral(".doc"), WordBinary(Builder));
    };
    TWordDocumentBuilder Builder;
    Builder.Pieces = {{QStringLiteral("Hello\rWorld\r"), true}};
    Add("compressed-piece", Builder);
    Builder.Pieces = {{QStringLiteral("第一段\r第二段\r"), false}};
    Add("unicode-piece", Builder);
    Builder.Pieces = {{QStringLiteral("8-bit "), true}, {QStringLiteral("和 UTF-16\r"), false}, {QStringLiteral("end\r"), true}};
    Add("mixed-pieces", Builder);
    Builder.TableOne = false;
    Add("table-stream-zero", Builder);
    Builder.TableOne = true;
    Builder.ModifierLists = {QByteArray("\x08\x02\x00", 3)};
    Add("property-modifier-first", Builder);
    Builder.ModifierLists.clear();
    Builder.Pieces = {{QStringLiteral("A1\x07" "B1\x07\x07" "after\r"), true}};
    Builder.RowEnds = {6};
    Add("table-row", Builder);
    Builder.RowEnds.clear();
    Builder.Pieces = {{QStringLiteral("field \x13 PAGE \x14" "7\x15 end\x0B" "line\x0C" "page\x1E-\x1F\r"), true}};
    Add("special-characters", Builder);
    Builder.Pieces = {{QStringLiteral("shorter than said\r"), true}};
    Builder.TextLength = 400;
    Add("text-length-too-long", Builder);
    Builder.TextLength = 5;
    Add("text-length-short", Builder);
    Builder.TextLength = -1;
    Builder.Pieces = {{QString(), true}, {QStringLiteral("\r"), false}};
    Add("empty-piece", Builder);
    Builder.Pieces = {{QStringLiteral("Hello\r"), true}};
    QByteArray WordDocument;
    QByteArray Table;
    Builder.Build(WordDocument, Table);
    Seeds.Add("doc", QStringLiteral("no-table-stream.doc"), MakeCompoundFile({{QStringLiteral("WordDocument"), WordDocument}}));
    Seeds.Add("doc", QStringLiteral("no-word-stream.doc"), MakeCompoundFile({{QStringLiteral("1Table"), Table}}));
    Seeds.Add("doc", QStringLiteral("lower-case-names.doc"),
        MakeCompoundFile({{QStringLiteral("worddocument"), WordDocument}, {QStringLiteral("1table"), Table}}));
    Seeds.Add("doc", QStringLiteral("not-compound.doc"), "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1 truncated header");
    TrackedChangeSeeds(Seeds);
    Word95Seeds(Seeds);
}

// BIFF8 records, written byte by byte.
class TBiff
{
public:
    TBiff& Record(quint16 Type, const QByteArray& Body)
    {
        FBytes += U16(Type) + U16(quint16(Body.size())) + Body;
        return *this;
    }
    qsizetype Size() const { return FBytes.size(); }
    QByteArray& Bytes() { return FBytes; }

    static QByteArray U16(quint16 Value) { return QByteArray(1, char(Value & 0xFF)) + char(Value >> 8); }
    static QByteArray U32(quint32 Value) { return U16(quint16(Value)) + U16(quint16(Value >> 16)); }
    static QByteArray CellAt(quint16 Row, quint16 Column) { return U16(Row) + U16(Column) + U16(0); }
    // A string of 8-bit characters with a 16-bit length, as cells hold them.
    static QByteArray Latin(const QByteArray& Text) { return U16(quint16(Text.size())) + char(0) + Text; }
    static QByteArray Double(double Value)
    {
        QByteArray Bytes(8, '\0');
        std::memcpy(Bytes.data(), &Value, 8);
        return Bytes;
    }
    static QByteArray Bof(quint16 Kind) { return U16(0x0600) + U16(Kind) + QByteArray(12, '\0'); }

private:
    QByteArray FBytes;
};

// A workbook stream with one chart sheet and one worksheet of the given records; both
// sheet entries point at the worksheet, only the second is one.
QByteArray WorkbookStream(const std::function<void(TBiff&)>& Cells, const std::function<void(TBiff&)>& Globals = {})
{
    TBiff Book;
    Book.Record(0x0809, TBiff::Bof(0x0005));
    const qsizetype ChartAt = Book.Size() + 4;
    Book.Record(0x0085, TBiff::U32(0) + char(0) + char(2) + char(5) + char(0) + "Chart");
    const qsizetype SheetAt = Book.Size() + 4;
    Book.Record(0x0085, TBiff::U32(0) + char(0) + char(0) + char(6) + char(0) + "Sheet1");
    if (Globals)
        Globals(Book);
    Book.Record(0x000A, {});
    TBiff Worksheet;
    Worksheet.Record(0x0809, TBiff::Bof(0x0010));
    Cells(Worksheet);
    Worksheet.Record(0x000A, {});
    QByteArray Stream = Book.Bytes();
    const QByteArray Offset = TBiff::U32(quint32(Stream.size()));
    Stream += Worksheet.Bytes();
    Stream.replace(ChartAt, 4, Offset);
    Stream.replace(SheetAt, 4, Offset);
    return Stream;
}

void XlsSeeds(TSeedWriter& Seeds)
{
    Seeds.Add("xls", QStringLiteral("column-a.xls"), Fixture("tests/data/documents/column-a.xls"));
    Seeds.Add("xls", QStringLiteral("protected.xls"), Fixture("tests/data/documents/protected.xls"));
    const auto Add = [&Seeds](const char* Name, const QByteArray& Stream, const QString& StreamName = QStringLiteral("Workbook")) {
        Seeds.Add("xls", QLatin1String(Name) + QStringLiteral(".xls"), MakeCompoundFile({{StreamName, Stream}}));
    };
    const auto Cells = [](TBiff& Sheet) {
        Sheet.Record(0x0200, TBiff::U32(0) + TBiff::U32(7) + TBiff::U16(0) + TBiff::U16(3) + TBiff::U16(0));
        Sheet.Record(0x0204, TBiff::CellAt(0, 0) + TBiff::Latin("label"));
        Sheet.Record(0x027E, TBiff::CellAt(1, 0) + TBiff::U32((12u << 2) | 2u));
        Sheet.Record(0x027E, TBiff::CellAt(2, 0) + TBiff::U32((350u << 2) | 3u));
        Sheet.Record(0x0203, TBiff::CellAt(3, 0) + TBiff::Double(1e21));
        Sheet.Record(0x0205, TBiff::CellAt(4, 0) + QByteArray("\x01\x00", 2));
        Sheet.Record(0x0205, TBiff::CellAt(5, 0) + QByteArray("\x07\x01", 2));
        Sheet.Record(0x0204, TBiff::CellAt(6, 2) + TBiff::Latin("C7"));
    };
    Add("cells", WorkbookStream(Cells));
    Add("book-stream-name", WorkbookStream(Cells), QStringLiteral("Book"));
    Add("upper-case-stream-name", WorkbookStream(Cells), QStringLiteral("WORKBOOK"));
    Add("multiple-rk", WorkbookStream([](TBiff& Sheet) {
        QByteArray MulRk = TBiff::U16(2) + TBiff::U16(0);
        for (quint32 Value : {5u, 6u, 7u})
            MulRk += TBiff::U16(0) + TBiff::U32((Value << 2) | 2u);
        Sheet.Record(0x00BD, MulRk + TBiff::U16(2));
        Sheet.Record(0x027E, TBiff::CellAt(0, 0) + TBiff::Double(0.5).right(4));
    }));
    Add("formulas", WorkbookStream([](TBiff& Sheet) {
        const auto Formula = [&Sheet](quint16 Row, const QByteArray& Value) {
            Sheet.Record(0x0006, TBiff::CellAt(Row, 0) + Value + QByteArray(6, '\0'));
        };
        Formula(0, TBiff::Double(2.25));
        Formula(1, QByteArray("\x00\x00\x00\x00\x00\x00\xFF\xFF", 8));
        Sheet.Record(0x0207, TBiff::Latin("from formula"));
        Formula(2, QByteArray("\x01\x00\x00\x00\x00\x00\xFF\xFF", 8));
        Formula(3, QByteArray("\x02\x00\x07\x00\x00\x00\xFF\xFF", 8));
        Formula(4, QByteArray("\x03\x00\x00\x00\x00\x00\xFF\xFF", 8));
    }));
    const auto SharedStringCells = [](TBiff& Sheet) {
        for (quint32 Index : {0u, 1u, 2u})
            Sheet.Record(0x00FD, TBiff::CellAt(quint16(Index), 0) + TBiff::U32(Index));
    };
    Add("shared-strings-continued", WorkbookStream(SharedStringCells, [](TBiff& Book) {
        // "AB中文": two 8-bit characters, the rest in UTF-16 after the break.
        Book.Record(0x00FC, TBiff::U32(3) + TBiff::U32(3) + TBiff::U16(4) + char(0x08) + TBiff::U16(1) + "AB");
        Book.Record(0x003C, char(0x01) + TBiff::U16(0x4E2D) + TBiff::U16(0x6587) + QByteArray(4, '\0')
            + TBiff::Latin("second") + TBiff::U16(2) + char(0x05) + TBiff::U32(4) + TBiff::U16(0x00E9) + TBiff::U16(u'e') + "ruby");
    }));
    Add("shared-string-out-of-range", WorkbookStream([](TBiff& Sheet) {
        Sheet.Record(0x00FD, TBiff::CellAt(0, 0) + TBiff::U32(9));
    }));
    Add("unicode-label", WorkbookStream([](TBiff& Sheet) {
        Sheet.Record(0x0204, TBiff::CellAt(0, 0) + TBiff::U16(2) + char(1) + TBiff::U16(0x5B57) + TBiff::U16(0x5E55));
    }));
    QByteArray Truncated = WorkbookStream([](TBiff& Sheet) { Sheet.Record(0x0204, TBiff::CellAt(0, 0) + TBiff::Latin("x")); });
    Truncated.chop(8);
    Add("record-past-the-end", Truncated + QByteArray("\x04\x02\x40\x00", 4));
    Add("no-bof", QByteArray("\x0A\x00\x00\x00", 4));
    Add("file-pass-without-key", WorkbookStream(Cells, [](TBiff& Book) { Book.Record(0x002F, TBiff::U16(1) + TBiff::U16(1)); }));
}

void EncryptedSeeds(TSeedWriter& Seeds)
{
    Seeds.Add("encrypted", QStringLiteral("protected.xlsx"), Fixture("tests/data/documents/protected.xlsx"));
    Seeds.Add("encrypted", QStringLiteral("protected.docx"), Fixture("tests/data/documents/protected.docx"));
    const QByteArray Package = SmallWorkbook();
    const auto Add = [&Seeds](const char* Name, const QByteArray& Info, const QByteArray& Encrypted) {
        Seeds.Add("encrypted", QLatin1String(Name) + QStringLiteral(".xlsx"),
            MakeCompoundFile({{QStringLiteral("EncryptionInfo"), Info}, {QStringLiteral("EncryptedPackage"), Encrypted}}));
    };
    QByteArray Info;
    QByteArray Encrypted;
    // Few hash rounds keep the fuzzer fast; the count is a number it mutates anyway.
    const auto Agile = [&](const char* Name, const QString& Password, const QByteArray& Hash, int KeyBits,
                           const QByteArray& Cipher = "AES", const QByteArray& Chaining = "ChainingModeCBC") {
        TOfficeEncryptor::TAgile Options;
        Options.Password = Password;
        Options.HashAlgorithm = Hash;
        Options.KeyBits = KeyBits;
        Options.SpinCount = 10;
        Options.Cipher = Cipher;
        Options.Chaining = Chaining;
        TOfficeEncryptor::Agile(Options, Package, Info, Encrypted);
        Add(Name, Info, Encrypted);
    };
    Agile("agile-sha512-aes256", QStringLiteral("nuvex"), "SHA512", 256);
    Agile("agile-sha1-aes128", QStringLiteral("nuvex"), "SHA1", 128);
    Agile("agile-sha256-aes192", QStringLiteral("nuvex"), "SHA256", 192);
    Agile("agile-sha384-aes256", QStringLiteral("nuvex"), "SHA384", 256);
    Agile("agile-md5-aes128", QStringLiteral("nuvex"), "MD5", 128);
    Agile("agile-excel-default-password", QStringLiteral("VelvetSweatshop"), "SHA512", 256);
    Agile("agile-wrong-password", QStringLiteral("another"), "SHA512", 256);
    Agile("agile-cfb-chaining", QStringLiteral("nuvex"), "SHA512", 256, "AES", "ChainingModeCFB");
    Agile("agile-3des", QStringLiteral("nuvex"), "SHA512", 256, "3DES");
    TOfficeEncryptor::Standard(QStringLiteral("nuvex"), 128, 4, Package, Info, Encrypted);
    Add("standard-aes128", Info, Encrypted);
    TOfficeEncryptor::Standard(QStringLiteral("nuvex"), 256, 3, Package, Info, Encrypted);
    Add("standard-aes256-version3", Info, Encrypted);
    Add("extensible-encryption", TOfficeEncryptor::UInt32(0x00030004u) + Info.mid(4), Encrypted);
    Add("unknown-version", TOfficeEncryptor::UInt32(0x00090009u) + Info.mid(4), Encrypted);
    Add("empty-streams", QByteArray(), QByteArray());
    Seeds.Add("encrypted", QStringLiteral("info-stream-only.xlsx"),
        MakeCompoundFile({{QStringLiteral("EncryptionInfo"), Info}}));
}

// The factory writes real titles from the template that the program ships.
void HtmlSeeds(TSeedWriter& Seeds)
{
    using namespace WebPages;
    const auto Add = [&Seeds](const char* Name, const QByteArray& Content) { Seeds.Add("html", QLatin1String(Name), Content); };
    const QString Body = QStringLiteral("<h1>第一章</h1>\r\n<p class=MsoNormal>%1<o:p></o:p></p>\r\n"
                                        "<p class=MsoNormal><o:p>&nbsp;</o:p></p>\r\n%2<p>a<br>b &amp; &lt;c&gt;</p>\r\n"
                                        "<table><tr><td>A1<td><p>B1</p></table><pre>\n x  y\n</pre>\r\n"
                                        "<div style='mso-element:footnote-list'><p>note</p></div>")
                             .arg(Chinese, WordListItem(1, Japanese));
    Add("word-utf8.htm", WordPage(Body));
    Add("word-gb18030.htm", WordPage(Body, "GB18030", "gb2312"));
    Add("word-shift-jis.htm", WordPage(QStringLiteral("<p>%1</p>").arg(Japanese), "Shift_JIS", "shift_jis"));
    Add("word-windows-1251.htm", WordPage(QStringLiteral("<p>%1</p>").arg(Russian), "windows-1251", "windows-1251"));
    Add("word-unicode.htm", QByteArray("\xFF\xFE") + WordPage(QStringLiteral("<p>%1</p>").arg(Greek), "UTF-16LE", "unicode"));
    Add("no-charset-legacy.htm", WordPage(QStringLiteral("<p>%1</p>").arg(Chinese), "GB18030", ""));
    Add("meta-charset.htm", Encode("ISO-8859-2", QStringLiteral("<!DOCTYPE html><meta charset=\"iso-8859-2\"><p>%1").arg(Czech)));
    Add("excel-sheet.htm", ExcelPage(QStringLiteral(" <tr><td>%1</td><td>B1</td></tr>\r\n <tr><td x:num=\"45296\">2024/1/5</td></tr>\r\n"
                                                     " <tr><td rowspan=2 colspan=2>span</td><td>C3</td></tr><tr><td>C4</td></tr>\r\n"
                                                     " <tr><td x:str=\"'007\">007</td></tr>\r\n").arg(Russian)));
    Add("tables-and-text.htm", QByteArray("<h1>Report</h1><p>x<br>y</p><table><tr><td><p>one</p><p>two</p>"
                                          "<table><tr><td>in<td>ner</table></td><td>B</td></tr></table>tail"));
    Add("skipped.htm", QByteArray("<html><head><title>T</title><script>var a='<p>';</script><style>p{}</style></head>"
                                  "<body><select><option>o</select><![if !supportLists]>1.<![endif]>kept<noframes>n</noframes>"
                                  "<svg><text>s</text></svg>1 &lt; 2 <![b]></body></html>"));
    Add("xhtml.htm", QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\">"
                                "<body><p>XHTML</p></body></html>"));
    Add("unclosed.htm", QByteArray("<table><tr><td>cell<p>para<li>item<b><i>inline</b></i></x></y>"));
    Add("nested-deep.htm", QByteArray("<div>").repeated(600) + "deep");
    const QByteArray Page = WordPage(QStringLiteral("<p>%1</p><p>%2</p>").arg(Russian, Greek), "windows-1251", "");
    Add("archive-quoted-printable.mht", Archive(Page, "windows-1251"));
    Add("archive-base64.mht", Archive(WordPage(Body), "utf-8", "base64"));
    Add("archive-8bit.mht", Archive(ExcelPage(QStringLiteral("<tr><td>%1</td></tr>").arg(Czech)), "utf-8", "8bit"));
    QByteArray Started = Archive(WordPage(Body), "utf-8", "8bit", "; start=\"<root@nuvex>\"");
    Started.replace("Content-ID: <image001.png@01DA0000>", "Content-ID: <root@nuvex>")
        .replace("base64\r\nContent-Type: image/png", "8bit\r\nContent-Type: text/html")
        .replace("iVBORw0KGgo=", "<p>second part</p>");
    Add("archive-start-parameter.mht", Started);
    Add("archive-alternative.mht", QByteArray("MIME-Version: 1.0\r\nContent-Type: multipart/alternative; boundary=b\r\n\r\n"
                                              "--b\r\nContent-Type: text/plain\r\n\r\nplain\r\n--b\r\n"
                                              "Content-Type: text/html; charset=utf-8\r\n\r\n<p>html</p>\r\n--b--\r\n"));
    Add("archive-no-page.mht", QByteArray("MIME-Version: 1.0\r\nContent-Type: multipart/related; boundary=b\r\n\r\n"
                                          "--b\r\nContent-Type: image/png\r\n\r\nxx\r\n--b--\r\n"));
}

void CsvSeeds(TSeedWriter& Seeds)
{
    using namespace WebPages;
    const auto Add = [&Seeds](const char* Name, const QByteArray& Content) { Seeds.Add("csv", QLatin1String(Name), Content); };
    Add("comma.csv", QStringLiteral("%1,b,c\r\n%2,e,f\r\n").arg(Chinese, Czech).toUtf8());
    Add("semicolon.csv", QStringLiteral("Name;Preis\n%1;1,5\nB;12,25\n").arg(Greek).toUtf8());
    Add("tab.txt", QStringLiteral("%1\tx\n%2\ty\n").arg(Russian, Japanese).toUtf8());
    Add("sep-line.csv", "sep=|\r\na,1|b\r\nc,2|d");
    Add("quoting.csv", QStringLiteral("\"%1,\r\n第二行\",x\n\"say \"\"hi\"\"\",y\n\"closed\"after,z\nmid\"quote,w\n\"\",v\n"
                                      "last,\"b\nwith break\"\n").arg(Chinese).toUtf8());
    Add("line-ends.csv", "a,1\rb,2\n\nc,3\r\n,4\r\n");
    Add("unterminated-quote.csv", "\"open,\nto the end");
    Add("utf16le-unicode-text.txt", QByteArray("\xFF\xFE") + Encode("UTF-16LE", QStringLiteral("%1\t2\r\n%2\t3\r\n").arg(Japanese, Chinese)));
    Add("utf8-bom.csv", QByteArray("\xEF\xBB\xBF") + QStringLiteral("%1,2\r\n").arg(Greek).toUtf8());
    Add("gb18030.csv", Encode("GB18030", QStringLiteral("%1,2\r\n").arg(Chinese)));
    Add("windows-1251.csv", Encode("windows-1251", QStringLiteral("%1;2\r\n").arg(Russian)));
    Add("nul-ends-text.csv", QByteArray("a,b\n\0c,d\n", 10));
}

void TitleSeeds(TSeedWriter& Seeds)
{
    const QString TemplatePath = QStringLiteral(NUVEX_SOURCE_DIR "/resources/NuvexSubtitleMaker.xml");
    Seeds.Add("title", QStringLiteral("template.xml"), Fixture("resources/NuvexSubtitleMaker.xml"));
    QTemporaryDir Output;
    if (!Output.isValid())
        qFatal("cannot create a temporary folder");
    TTitleTemplate Template(TemplatePath);
    const TSubtitleItemFactory Factory([] { return QDateTime(QDate(2025, 1, 1), QTime(12, 0)); });
    const auto Write = [&](const char* Name, const std::function<void(TSubtitleItem&)>& Settings) {
        TSubtitleItem Item;
        Item.SetFontName(QStringLiteral("Noto Sans CJK SC"));
        Item.SetFontSize(36);
        Item.SetBoxWidth(1600);
        Item.SetLineMaximum(2);
        Item.SetVideoWidth(1920);
        Item.SetVideoHeight(1080);
        Item.SetSubtitleDirectory(Output.path());
        Item.SetSubtitleFileName(QLatin1String(Name));
        Settings(Item);
        QStringList Written;
        Factory.WriteSubtitles(Item, Template, [&Written](TSubtitleItem& Part) {
            Written.append(QDir(Part.SubtitleDirectory()).filePath(Part.SubtitleFileName()));
        });
        for (const QString& Path : Written)
        {
            QFile File(Path);
            if (!File.open(QIODevice::ReadOnly))
                qFatal("cannot read the title written to %s", qPrintable(Path));
            Seeds.Add("title", QFileInfo(Path).fileName(), File.readAll());
        }
    };
    Write("plain", [](TSubtitleItem& Item) { Item.SetSubtitleContent(QStringLiteral("一行字幕 one line")); });
    Write("two-lines-styled", [](TSubtitleItem& Item) {
        Item.SetSubtitleContent(QStringLiteral("第一行\r\n第二行 & <markup>"));
        Item.SetFontStyleBold(true);
        Item.SetFontStyleItalic(true);
        Item.SetFontStyleUnderline(true);
        Item.SetBoxAlignText(taLeftJustify);
        Item.SetFontColor(0x0000FF);
    });
    Write("edge-off-right", [](TSubtitleItem& Item) {
        Item.SetSubtitleContent(QStringLiteral("no edge, right aligned"));
        Item.SetEdge(false);
        Item.SetBoxAlignText(taRightJustify);
        Item.SetEdgeWidthHard(2.5);
        Item.SetEdgeWidthSoft(0.25);
    });
    Write("split", [](TSubtitleItem& Item) {
        Item.SetBoxWidth(300);
        Item.SetLineMaximum(1);
        Item.SetSubtitleContent(QStringLiteral("a subtitle too long for one line is split into several titles"));
    });
    QByteArray Template8 = Fixture("resources/NuvexSubtitleMaker.xml");
    const auto Variant = [&Seeds, &Template8](const char* Name, const QByteArray& From, const QByteArray& To) {
        if (!Template8.contains(From))
            qFatal("the template has no %s", From.constData());
        Seeds.Add("title", QLatin1String(Name) + QStringLiteral(".etl"), QByteArray(Template8).replace(From, To));
    };
    Variant("text-with-markup", "<m_sText>字幕</m_sText>",
        "<m_sText>a<!-- note --><b>bold<i>deep</i></b><![CDATA[<raw>]]>&#x4E2D;&#10;z</m_sText>");
    Variant("size-not-a-number", "<iSize>48</iSize>", "<iSize>big</iSize>");
    Variant("size-too-large", "<iSize>48</iSize>", "<iSize>99999999999</iSize>");
    Variant("colour-not-a-number", "<color0>-1</color0>", "<color0>white</color0>");
    Variant("width-with-comma", "<fWidth>4.000000</fWidth>", "<fWidth>4,5</fWidth>");
    Variant("width-not-finite", "<fWidth>4.000000</fWidth>", "<fWidth>1e999</fWidth>");
    Variant("no-title-objects", "m_TitleObList>", "Other>");
    Variant("other-root", "TitleDocument>", "Title>");
    Variant("namespaced-root", "<TitleDocument>", "<TitleDocument xmlns=\"urn:other\">");
    Variant("truncated", "</TitleDocument>", "");
    Seeds.Add("title", QStringLiteral("utf16be.etl"),
        Utf16BeBom + Utf16Be(QString::fromUtf8(Template8).replace(QStringLiteral("UTF-8"), QStringLiteral("UTF-16"))));
    Seeds.Add("title", QStringLiteral("empty.etl"), QByteArray());
}

void ProjectSeeds(TSeedWriter& Seeds)
{
    Seeds.Add("project", QStringLiteral("empty-project.nvproj"), Fixture("tests/data/persistence/empty-project.nvproj"));
    const QByteArray OneItem = Fixture("tests/data/persistence/one-item-project.nvproj");
    Seeds.Add("project", QStringLiteral("one-item-project.nvproj"), OneItem);
    Seeds.Add("project", QStringLiteral("utf16le-bom.nvproj"),
        Utf16LeBom + Utf16Le(QString::fromUtf8(OneItem).replace(QStringLiteral("standalone"), QStringLiteral("encoding=\"UTF-16\" standalone"))));
    Seeds.Add("project", QStringLiteral("utf8-bom.nvproj"), Utf8Bom + OneItem);

    TProject Project;
    for (int Index = 0; Index < 3; ++Index)
    {
        auto Item = std::make_unique<TDocumentItem>();
        Item->SetSourceFileName(QStringLiteral("/docs/文档 %1.docx").arg(Index));
        Item->SetSourceFilePassword(Index == 1 ? QStringLiteral("pass & <word>") : QString());
        Item->SetSourceLineIncrement(Index + 1);
        Item->SetBoxAlign(TAlignment(Index));
        Item->SetBoxAlignText(TAlignment(2 - Index));
        Item->SetFontName(QStringLiteral("宋体"));
        Item->SetFontSize(24 + Index);
        Item->SetEdgeWidthHard(Index * 0.1);
        Item->SetEdgeWidthSoft(1e-7);
        Item->SetSubtitleDirectory(QStringLiteral("{AppDir}/Titles/{SourceFileName}"));
        Item->SetSubtitleFileName(QStringLiteral("Title{0}.etl"));
        for (int Record = 0; Record < Index; ++Record)
        {
            auto Title = std::make_unique<TImmutableSubtitleItem>();
            Title->SetSubtitleDirectory(QStringLiteral("/out/%1/").arg(Index));
            Title->SetSubtitleFileName(QStringLiteral("Title%1.etl").arg(Record + 1, 5, 10, QLatin1Char('0')));
            Title->SetBoxWidth(600 + Record);
            Item->AddImmutableSubtitleItem(std::move(Title));
        }
        Project.AddDocumentItem(std::move(Item));
    }
    QString Xml;
    TXmlSerializer().Serialize(Project, QString(), Xml);
    Seeds.Add("project", QStringLiteral("three-items.nvproj"), Xml.toUtf8());

    const auto Variant = [&Seeds, &OneItem](const char* Name, const QByteArray& From, const QByteArray& To) {
        if (!OneItem.contains(From))
            qFatal("the project has no %s", From.constData());
        Seeds.Add("project", QLatin1String(Name) + QStringLiteral(".nvproj"), QByteArray(OneItem).replace(From, To));
    };
    Variant("boolean-digits", ">true</Edge>", ">1</Edge>");
    Variant("boolean-word", ">true</Edge>", ">yes</Edge>");
    Variant("float-nan", ">1.5</EdgeWidthHard>", ">NaN</EdgeWidthHard>");
    Variant("float-infinite", ">1.5</EdgeWidthHard>", ">-INF</EdgeWidthHard>");
    Variant("float-overflow", ">1.5</EdgeWidthHard>", ">1e999</EdgeWidthHard>");
    Variant("integer-overflow", ">600</BoxWidth>", ">2147483648</BoxWidth>");
    Variant("integer-signs", ">-40</BoxRelativeY>", "> +7 </BoxRelativeY>");
    Variant("unknown-alignment", ">taRightJustify</BoxAlignText>", ">taMiddle</BoxAlignText>");
    Variant("alignment-number", ">taRightJustify</BoxAlignText>", ">1</BoxAlignText>");
    Variant("unknown-element", "<BoxAlign ", "<Unknown>x</Unknown><BoxAlign ");
    Variant("duplicate-element", "<BoxAlign ", "<BoxWidth>1</BoxWidth><BoxAlign ");
    Variant("nested-lists", "<item xsi:type=\"NS8:TImmutableSubtitleItem\">",
        "<item xsi:type=\"NS8:TImmutableSubtitleItem\"><DocumentItems><item/></DocumentItems>");
    Variant("records-not-elements", "<_ImmutableSubtitleItems ", "<_ImmutableSubtitleItems>text<!-- c --></_ImmutableSubtitleItems><Ignored ");
    Variant("control-characters", "宋体 &amp; Co", "&#1;&#27;tab&#9;cr&#13;lf&#10;");
    Seeds.Add("project", QStringLiteral("root-only.nvproj"), "<?xml version=\"1.0\"?><Root/>");
    Seeds.Add("project", QStringLiteral("not-xml.nvproj"), "<Root><NS1:TProject>");
}

void AttributeSeeds(TSeedWriter& Seeds)
{
    Seeds.Add("attributes", QStringLiteral("TypeAttributes.xml"), Fixture("resources/TypeAttributes.xml"));
    const auto Add = [&Seeds](const char* Name, const QByteArray& Types) {
        Seeds.Add("attributes", QLatin1String(Name) + QStringLiteral(".xml"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><TypeAttributes>" + Types + "</TypeAttributes>");
    };
    const QByteArray Subtitle = "<Type Name=\"TSubtitleItem\" Ancestor=\"TImmutableSubtitleItem\">"
                                "<Property Name=\"FontName\" Index=\"7\" DefaultValue=\"宋体\" Description=\"字体\"/>"
                                "<Property Name=\"FontSize\" Index=\"8\" DefaultValue=\"36\"/>"
                                "<Property Name=\"Edge\" DefaultValue=\"True\"/></Type>";
    const QByteArray Immutable = "<Type Name=\"TImmutableSubtitleItem\"><Property Name=\"BoxAlign\" Index=\"1\" "
                                 "DefaultValue=\"taCenter\"/><Property Name=\"BoxWidth\" DefaultValue=\"1600\"/></Type>";
    const QByteArray Document = "<Type Name=\"TDocumentItem\" Ancestor=\"TSubtitleItem\">"
                                "<Property Name=\"SourceLineIncrement\" Index=\"20\" DefaultValue=\"1\"/></Type>";
    Add("three-levels", Immutable + Subtitle + Document);
    Add("lower-case-names", QByteArray(Immutable + Subtitle + Document).replace("Name=\"T", "Name=\"t"));
    Add("ancestor-loop", QByteArray(Immutable + Subtitle + Document).replace("<Type Name=\"TImmutableSubtitleItem\">",
        "<Type Name=\"TImmutableSubtitleItem\" Ancestor=\"TDocumentItem\">"));
    Add("ancestor-itself", "<Type Name=\"TDocumentItem\" Ancestor=\"TDocumentItem\"><Property Name=\"BoxWidth\" DefaultValue=\"5\"/></Type>");
    Add("ancestor-missing", "<Type Name=\"TDocumentItem\" Ancestor=\"TNowhere\"><Property Name=\"BoxWidth\" DefaultValue=\"5\"/></Type>");
    Add("property-without-name", "<Type Name=\"TDocumentItem\"><Property Index=\"3\"/><Property Name=\"  \" DefaultValue=\"x\"/></Type>");
    Add("index-not-a-number", "<Type Name=\"TDocumentItem\"><Property Name=\"BoxWidth\" Index=\"first\"/></Type>");
    Add("index-overflow", "<Type Name=\"TDocumentItem\"><Property Name=\"BoxWidth\" Index=\"99999999999\"/></Type>");
    Add("default-not-a-number", "<Type Name=\"TDocumentItem\"><Property Name=\"BoxWidth\" DefaultValue=\"wide\"/></Type>");
    Add("default-unknown-property", "<Type Name=\"TDocumentItem\"><Property Name=\"Nothing\" DefaultValue=\"1\"/></Type>");
    Add("default-of-record-list", "<Type Name=\"TDocumentItem\"><Property Name=\"_ImmutableSubtitleItems\" DefaultValue=\"1\"/></Type>");
    Add("default-enumerations", "<Type Name=\"TDocumentItem\"><Property Name=\"BoxAlign\" DefaultValue=\"2\"/>"
        "<Property Name=\"BoxAlignText\" DefaultValue=\"taNowhere\"/><Property Name=\"Edge\" DefaultValue=\"maybe\"/></Type>");
    Add("default-floats", "<Type Name=\"TDocumentItem\"><Property Name=\"EdgeWidthHard\" DefaultValue=\"1,5\"/>"
        "<Property Name=\"EdgeWidthSoft\" DefaultValue=\"1e999\"/></Type>");
    Add("no-types", "");
    Seeds.Add("attributes", QStringLiteral("utf16le-bom.xml"),
        Utf16LeBom + Utf16Le(QString::fromUtf8(Fixture("resources/TypeAttributes.xml")).replace(QStringLiteral("UTF-8"), QStringLiteral("UTF-16"))));
    Seeds.Add("attributes", QStringLiteral("empty.xml"), QByteArray());
    Seeds.Add("attributes", QStringLiteral("not-xml.xml"), "<TypeAttributes><Type Name=\"TDocumentItem\">");
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s <repository>/tests/data/fuzz\n", argv[0]);
        return 2;
    }
    // The titles are measured in fonts, which needs a GUI application but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication Application(argc, argv);
    // Title files write numbers with the locale's decimal separator.
    QLocale::setDefault(QLocale::c());

    TSeedWriter Seeds(QString::fromLocal8Bit(argv[1]));
    TextSeeds(Seeds);
    MicroDvdSeeds(Seeds);
    DocxSeeds(Seeds);
    XlsxSeeds(Seeds);
    DocSeeds(Seeds);
    XlsSeeds(Seeds);
    RtfSeeds(Seeds);
    WordXml2003Seeds(Seeds);
    SpreadsheetXml2003Seeds(Seeds);
    EncryptedSeeds(Seeds);
    HtmlSeeds(Seeds);
    CsvSeeds(Seeds);
    TitleSeeds(Seeds);
    ProjectSeeds(Seeds);
    AttributeSeeds(Seeds);
    Seeds.PrintSummary();
    return 0;
}
