#pragma once

#include "RtfSamples.h"
#include "WebPages.h"
#include "ZipBuilder.h"

#include <QByteArray>
#include <QStringList>

// A Word package whose body imports parts in place (w:altChunk), shared by the .docx
// reader's tests and the fuzzers' seeds: word/chunk.rtf (rId5, typed by the default of its
// extension), word/chunk.txt (rId6, plain text typed by an override), word/chunk.htm
// (rId7, a web page in Windows-1250 that its content type names), word/chunk.mht (rId8, a
// web archive) and word/chunk.docx (rId9, a Word document, which is not read).
namespace DocxChunkParts
{
inline const QStringList RtfLines{RtfSamples::Russian, QStringLiteral("ещё")};
inline const QStringList TextLines{QStringLiteral("第一行"), QStringLiteral("第二行")};
inline const QStringList PageLines{WebPages::Czech, QStringLiteral("Dobrý den & na shledanou")};
inline const QStringList ArchiveLines{WebPages::Chinese, WebPages::Japanese};

inline QByteArray AltChunk(const char* Id)
{
    return QByteArray("<w:altChunk r:id=\"") + Id + "\"><w:altChunkPr><w:matchSrc/></w:altChunkPr></w:altChunk>";
}

// DocumentXml is the whole main part.
inline QByteArray Package(const QByteArray& DocumentXml)
{
    const QByteArray Types =
        R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
        R"(<Default Extension="RTF" ContentType="application/rtf"/><Default Extension="xml" ContentType="application/xml"/>)"
        R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
        R"(<Override PartName="/word/chunk.txt" ContentType="text/plain"/>)"
        R"(<Override PartName="/word/Chunk.htm" ContentType="text/html; charset=&quot;windows-1250&quot;"/>)"
        R"(<Override PartName="/word/chunk.mht" ContentType="message/rfc822"/>)"
        R"(<Override PartName="/word/chunk.docx" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document"/></Types>)";
    const QByteArray RootRels =
        R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
        R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/>)"
        R"(</Relationships>)";
    const QByteArray DocumentRels =
        R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
        R"(<Relationship Id="rId5" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/aFChunk" Target="chunk.rtf"/>)"
        R"(<Relationship Id="rId6" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/aFChunk" Target="/word/chunk.txt"/>)"
        R"(<Relationship Id="rId7" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/aFChunk" Target="chunk.htm"/>)"
        R"(<Relationship Id="rId8" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/aFChunk" Target="chunk.mht"/>)"
        R"(<Relationship Id="rId9" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/aFChunk" Target="chunk.docx"/>)"
        R"(</Relationships>)";
    const QByteArray Rtf = RtfSamples::Document("\\ansi\\ansicpg1251", "",
        RtfSamples::Escaped("windows-1251", RtfLines[0]) + "\\par " + RtfSamples::Escaped("windows-1251", RtfLines[1]));
    return MakeZip({{QStringLiteral("[Content_Types].xml"), Types}, {QStringLiteral("_rels/.rels"), RootRels},
        {QStringLiteral("word/document.xml"), DocumentXml}, {QStringLiteral("word/_rels/document.xml.rels"), DocumentRels},
        {QStringLiteral("word/chunk.rtf"), Rtf},
        {QStringLiteral("word/chunk.txt"), "\xEF\xBB\xBF" + TextLines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n"},
        {QStringLiteral("word/chunk.htm"),
            WebPages::Encode("windows-1250", QStringLiteral("<p>%1<p>%2").arg(PageLines[0], PageLines[1].toHtmlEscaped()))},
        {QStringLiteral("word/chunk.mht"),
            WebPages::Archive(WebPages::WordPage(QStringLiteral("<p>%1</p><p>%2</p>").arg(ArchiveLines[0], ArchiveLines[1])), "utf-8")},
        {QStringLiteral("word/chunk.docx"), QByteArrayLiteral("PK\x05\x06") + QByteArray(18, '\0')}});
}
} // namespace DocxChunkParts
