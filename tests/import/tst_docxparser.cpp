#include "import/DocumentError.h"
#include "import/DocxParser.h"

#include "DocxChunkParts.h"
#include "ZipBuilder.h"

#include <QTest>

namespace
{
const QString FileName = QStringLiteral("/docs/测试.docx");

const QByteArray RootRels = QByteArrayLiteral(
    R"(<?xml version="1.0" encoding="UTF-8"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties" Target="docProps/core.xml"/>
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/>
</Relationships>)");

QByteArray Body(const QByteArray& Content, const QByteArray& Prefix = "w")
{
    QByteArray Xml = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
                     R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:body>)"
        + Content + R"(<w:sectPr/></w:body></w:document>)";
    if (Prefix != "w")
        Xml.replace("w:", Prefix + ":").replace("xmlns:w=", "xmlns:" + Prefix + "=");
    return Xml;
}

QByteArray Docx(const QByteArray& DocumentXml)
{
    return MakeZip({{QStringLiteral("_rels/.rels"), RootRels}, {QStringLiteral("word/document.xml"), DocumentXml}});
}

QByteArray P(const QByteArray& Runs)
{
    return "<w:p><w:pPr><w:pStyle w:val=\"Normal\"/></w:pPr>" + Runs + "</w:p>";
}

QByteArray R(const QByteArray& Text)
{
    return "<w:r><w:rPr><w:b/></w:rPr><w:t xml:space=\"preserve\">" + Text + "</w:t></w:r>";
}
} // namespace

class TestDocxParser : public QObject
{
    Q_OBJECT

private slots:
    void paragraphs_data()
    {
        QTest::addColumn<QByteArray>("DocumentXml");
        QTest::addColumn<QStringList>("Expected");

        QTest::newRow("runs joined, empty paragraph kept")
            << Body(P(R("第一") + R("行 one")) + P("") + P(R("  two  spaces  ")))
            << QStringList{QStringLiteral("第一行 one"), QString(), QStringLiteral("  two  spaces  ")};
        QTest::newRow("tab and breaks")
            << Body(P(R("a") + "<w:r><w:tab/><w:t>b</w:t><w:br/><w:t>c</w:t><w:cr/><w:t>d</w:t></w:r>"))
            << QStringList{QStringLiteral("a\tb c d")};
        QTest::newRow("table cells in document order")
            << Body(P(R("before")) + "<w:tbl><w:tblPr/><w:tr><w:tc>" + P(R("A1")) + P(R("A1b")) + "</w:tc><w:tc>"
                   + P(R("B1")) + "</w:tc></w:tr><w:tr><w:tc><w:tbl><w:tr><w:tc>" + P(R("nested"))
                   + "</w:tc></w:tr></w:tbl>" + P("") + "</w:tc></w:tr></w:tbl>" + P(R("after")))
            << QStringList{QStringLiteral("before"), QStringLiteral("A1"), QStringLiteral("A1b"), QStringLiteral("B1"),
                   QStringLiteral("nested"), QString(), QStringLiteral("after")};
        QTest::newRow("content controls")
            << Body("<w:sdt><w:sdtPr/><w:sdtContent>" + P(R("in block")) + "</w:sdtContent></w:sdt>"
                   + P("<w:sdt><w:sdtContent>" + R("inline") + "</w:sdtContent></w:sdt>" + R(" run")))
            << QStringList{QStringLiteral("in block"), QStringLiteral("inline run")};
        QTest::newRow("revisions, fields and hyperlinks")
            << Body(P(R("kept") + "<w:del><w:r><w:delText>gone</w:delText></w:r></w:del>"
                      + "<w:ins>" + R(" inserted") + "</w:ins>"
                      + "<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:instrText> PAGE </w:instrText></w:r>"
                      + "<w:r><w:fldChar w:fldCharType=\"separate\"/></w:r>" + R(" 7")
                      + "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r>" + "<w:hyperlink r:id=\"x\">" + R(" link")
                      + "</w:hyperlink>"))
            << QStringList{QStringLiteral("kept inserted 7 link")};
        const QByteArray DeletedMark = "<w:pPr><w:rPr><w:del w:id=\"1\" w:author=\"A\"/></w:rPr></w:pPr>";
        QTest::newRow("deleted paragraph marks join paragraphs")
            << Body("<w:p>" + DeletedMark + R("Установка ") + "</w:p>" + P(R("před")) + "<w:p>" + DeletedMark
                   + "<w:del><w:r><w:delText>gone</w:delText></w:r></w:del></w:p>" + P(R("Καλημέρα")) + "<w:p>"
                   + DeletedMark + R("last") + "</w:p>")
            << QStringList{QStringLiteral("Установка před"), QStringLiteral("Καλημέρα"), QStringLiteral("last")};
        QTest::newRow("moved paragraph")
            << Body(P(R("start")) + "<w:p><w:pPr><w:rPr><w:moveFrom w:id=\"2\"/></w:rPr></w:pPr><w:moveFrom>" + R("moved")
                   + "</w:moveFrom></w:p>" + P(R("end")) + "<w:p><w:pPr><w:rPr><w:moveTo w:id=\"3\"/></w:rPr></w:pPr><w:moveTo>"
                   + R("moved") + "</w:moveTo></w:p>")
            << QStringList{QStringLiteral("start"), QStringLiteral("end"), QStringLiteral("moved")};
        QTest::newRow("deleted table row")
            << Body("<w:tbl><w:tr><w:trPr><w:del w:id=\"4\"/></w:trPr><w:tc><w:p><w:del><w:r><w:delText>a</w:delText></w:r></w:del></w:p></w:tc></w:tr><w:tr><w:tc>" + P(R("b"))
                   + "</w:tc></w:tr></w:tbl>" + P(R("after")))
            << QStringList{QStringLiteral("b"), QStringLiteral("after")};
        QTest::newRow("text box is no body paragraph")
            << Body(P(R("outer") + "<w:r><w:pict><v:shape><v:textbox><w:txbxContent>" + P(R("boxed"))
                      + "</w:txbxContent></v:textbox></v:shape></w:pict></w:r>" + R(" end")))
            << QStringList{QStringLiteral("outer end")};
        QTest::newRow("ruby guide left out")
            << Body(P("<w:r><w:ruby><w:rubyPr/><w:rt>" + R("かん") + "</w:rt><w:rubyBase>" + R("漢") + "</w:rubyBase></w:ruby></w:r>"
                      + R("字")))
            << QStringList{QStringLiteral("漢字")};
        QTest::newRow("other prefix") << Body(P(R("x")) + P(R("y")), "ns0")
                                      << QStringList{QStringLiteral("x"), QStringLiteral("y")};
        QTest::newRow("no paragraphs") << Body("") << QStringList{};
    }

    void paragraphs()
    {
        QFETCH(QByteArray, DocumentXml);
        QFETCH(QStringList, Expected);
        QCOMPARE(TDocxParser::Parse(Docx(DocumentXml), FileName), Expected);
    }

    void mainPartFollowsRelationship()
    {
        const QByteArray Rels = QByteArray(RootRels).replace("word/document.xml", "/custom/main.xml");
        const QByteArray Zip = MakeZip({{QStringLiteral("_rels/.rels"), Rels},
            {QStringLiteral("word/document.xml"), Body(P(R("wrong part")))},
            {QStringLiteral("custom/main.xml"), Body(P(R("main part")))}});
        QCOMPARE(TDocxParser::Parse(Zip, FileName), QStringList{QStringLiteral("main part")});
    }

    void withoutRelationshipsFallsBackToWordDocument()
    {
        const QByteArray Zip = MakeZip({{QStringLiteral("word/document.xml"), Body(P(R("plain")))}});
        QCOMPARE(TDocxParser::Parse(Zip, FileName), QStringList{QStringLiteral("plain")});
    }

    void noMainPartIsInvalidFormat()
    {
        const QByteArray Zip = MakeZip({{QStringLiteral("xl/workbook.xml"), QByteArrayLiteral("<workbook/>")}});
        try
        {
            TDocxParser::Parse(Zip, FileName);
            QFAIL("no error");
        }
        catch (const EDocument& Error)
        {
            QCOMPARE(Error.Message(), QStringLiteral("Érvénytelen dokumentum formátum: %1.").arg(FileName));
        }
    }

    void damagedXmlNamesFile_data()
    {
        QTest::addColumn<QByteArray>("DocumentXml");
        QTest::newRow("unclosed elements") << QByteArrayLiteral("<w:document><w:body><w:p>");
        // Office refuses such a part; reading it would give "&testent;" as subtitle text.
        QTest::newRow("document type declaring an entity")
            << QByteArray(R"(<?xml version="1.0"?><!DOCTYPE w:document [<!ENTITY testent "hidden">]>)"
                   + Body(P(R("&testent;"))).mid(QByteArrayLiteral(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)").size()));
    }

    void damagedXmlNamesFile()
    {
        QFETCH(QByteArray, DocumentXml);
        try
        {
            const QStringList Lines = TDocxParser::Parse(Docx(DocumentXml), FileName);
            QFAIL(qPrintable(QStringLiteral("no error; lines: ") + Lines.join(u'|')));
        }
        catch (const EDocument& Error)
        {
            QVERIFY(Error.Message().contains(FileName));
        }
    }

    void importedParts_data()
    {
        using namespace DocxChunkParts;
        QTest::addColumn<QByteArray>("Content");
        QTest::addColumn<QStringList>("Expected");
        QTest::newRow("RTF in place") << P(R("before")) + AltChunk("rId5") + P(R("after"))
                                      << QStringList{QStringLiteral("before")} + RtfLines + QStringList{QStringLiteral("after")};
        QTest::newRow("plain text in a table cell, twice")
            << "<w:tbl><w:tr><w:tc>" + AltChunk("rId6") + P("") + "</w:tc><w:tc>" + AltChunk("rId6") + P(R("B1"))
                   + "</w:tc></w:tr></w:tbl>"
            << TextLines + QStringList{QString()} + TextLines + QStringList{QStringLiteral("B1")};
        QTest::newRow("web page and web archive") << AltChunk("rId7") + AltChunk("rId8") << PageLines + ArchiveLines;
    }

    void importedParts()
    {
        QFETCH(QByteArray, Content);
        QFETCH(QStringList, Expected);
        QCOMPARE(TDocxParser::Parse(DocxChunkParts::Package(Body(Content)), FileName), Expected);
    }

    void importedPartThatCannotBeReadIsRefused_data()
    {
        using DocxChunkParts::AltChunk;
        QTest::addColumn<QByteArray>("Chunk");
        QTest::addColumn<QString>("Reason");
        QTest::newRow("no such relationship") << AltChunk("rId404") << QStringLiteral("'rId404' 不存在");
        QTest::newRow("Word document") << AltChunk("rId9")
                                       << QStringLiteral("'application/vnd.openxmlformats-officedocument.wordprocessingml.document' 不受支持");
    }

    void importedPartThatCannotBeReadIsRefused()
    {
        QFETCH(QByteArray, Chunk);
        QFETCH(QString, Reason);
        try
        {
            const QStringList Lines = TDocxParser::Parse(DocxChunkParts::Package(Body(P(R("text")) + Chunk)), FileName);
            QFAIL(qPrintable(QStringLiteral("no error; lines: ") + Lines.join(u'|')));
        }
        catch (const EDocument& Error)
        {
            QVERIFY2(Error.Message().contains(FileName) && Error.Message().contains(Reason), qPrintable(Error.Message()));
        }
    }

    void deepNestingDoesNotExhaustStack()
    {
        const int Depth = 200000;
        const QByteArray Xml = Body(QByteArray("<w:sdt>").repeated(Depth) + P(R("deep")) + QByteArray("</w:sdt>").repeated(Depth));
        QCOMPARE(TDocxParser::Parse(Docx(Xml), FileName), QStringList{QStringLiteral("deep")});
    }
};

QTEST_GUILESS_MAIN(TestDocxParser)
#include "tst_docxparser.moc"
