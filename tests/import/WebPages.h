#pragma once

#include "Sentences.h"

#include <QByteArray>
#include <QString>

// Web pages, web archives and delimited text as Office and web systems write them,
// shared by the readers' tests and the fuzzers' seeds.
namespace WebPages
{
using Sentences::Chinese;
using Sentences::Czech;
using Sentences::Encode;
using Sentences::Greek;
using Sentences::Japanese;
using Sentences::Russian;

// A page as Word saves it ("Web Page" and "Filtered Web Page"): Office namespaces, the
// charset in a meta element, styles and an XML island in the head, list numbers for
// other browsers, the body in a section division. Encoded in Codec, which MetaCharset
// names (none when empty).
inline QByteArray WordPage(const QString& Body, const char* Codec = "UTF-8", const char* MetaCharset = "utf-8")
{
    QString Page = QStringLiteral(
        "<html xmlns:v=\"urn:schemas-microsoft-com:vml\" xmlns:o=\"urn:schemas-microsoft-com:office:office\"\r\n"
        "xmlns:w=\"urn:schemas-microsoft-com:office:word\" xmlns=\"http://www.w3.org/TR/REC-html40\">\r\n\r\n<head>\r\n");
    if (*MetaCharset)
        Page += QStringLiteral("<meta http-equiv=Content-Type content=\"text/html; charset=%1\">\r\n")
                    .arg(QLatin1String(MetaCharset));
    Page += QStringLiteral(
        "<meta name=Generator content=\"Microsoft Word 15 (filtered)\">\r\n<title>文档标题</title>\r\n"
        "<!--[if gte mso 9]><xml>\r\n <o:DocumentProperties><o:Author>nuvex</o:Author></o:DocumentProperties>\r\n"
        "</xml><![endif]-->\r\n<style>\r\n<!--\r\n p.MsoNormal, li.MsoNormal\r\n\t{margin:0cm;\r\n\tfont-size:10.5pt;}\r\n"
        "-->\r\n</style>\r\n</head>\r\n\r\n<body lang=ZH-CN style='text-justify-trim:punctuation'>\r\n\r\n"
        "<div class=WordSection1>\r\n\r\n");
    Page += Body + QStringLiteral("\r\n\r\n</div>\r\n\r\n</body>\r\n\r\n</html>\r\n");
    return Encode(Codec, Page);
}

// A Word list paragraph: the number is written for browsers that do not make their own.
inline QString WordListItem(int Number, const QString& Text)
{
    return QStringLiteral("<p class=MsoListParagraph style='margin-left:21.0pt;text-indent:-21.0pt'>"
                          "<![if !supportLists]><span lang=EN-US>%1.<span style='font:7.0pt \"Times New Roman\"'>"
                          "&nbsp;&nbsp; </span></span><![endif]>%2</p>\r\n")
        .arg(Number)
        .arg(Text);
}

// A sheet as Excel saves it as a web page: x:num raw values, a closing row that only
// sets the column widths for other browsers.
inline QByteArray ExcelPage(const QString& Rows, const char* Codec = "UTF-8", const char* MetaCharset = "utf-8")
{
    return Encode(Codec,
        QStringLiteral("<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
                       "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" xmlns=\"http://www.w3.org/TR/REC-html40\">\r\n"
                       "<head>\r\n<meta http-equiv=Content-Type content=\"text/html; charset=%1\">\r\n"
                       "<meta name=ProgId content=Excel.Sheet>\r\n<style>\r\n<!--table {mso-displayed-decimal-separator:\"\\.\";}\r\n"
                       ".xl65 {mso-number-format:\"\\@\";}\r\n-->\r\n</style>\r\n"
                       "<!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet><x:Name>Sheet1</x:Name>"
                       "</x:ExcelWorksheet></x:ExcelWorksheets></x:ExcelWorkbook></xml><![endif]-->\r\n</head>\r\n\r\n"
                       "<body link=blue vlink=purple>\r\n\r\n"
                       "<table border=0 cellpadding=0 cellspacing=0 width=144 style='border-collapse:collapse;table-layout:fixed'>\r\n"
                       " <col width=72 span=2 style='width:54pt'>\r\n")
                .arg(QLatin1String(MetaCharset))
            + Rows
            + QStringLiteral(" <![if supportMisalignedColumns]>\r\n <tr height=0 style='display:none'>\r\n"
                             "  <td width=72 style='width:54pt'></td>\r\n  <td width=72 style='width:54pt'></td>\r\n"
                             " </tr>\r\n <![endif]>\r\n</table>\r\n\r\n</body>\r\n\r\n</html>\r\n"));
}

// Quoted-printable as Office writes its web archives: "=" escapes, soft breaks at 76.
inline QByteArray QuotedPrintable(const QByteArray& Bytes)
{
    QByteArray Encoded;
    int Column = 0;
    for (qsizetype I = 0; I < Bytes.size(); ++I)
    {
        const auto C = quint8(Bytes[I]);
        QByteArray Piece;
        if (C == '\r' && I + 1 < Bytes.size() && Bytes[I + 1] == '\n')
        {
            Encoded += "\r\n";
            ++I;
            Column = 0;
            continue;
        }
        if ((C >= 33 && C <= 126 && C != '=') || C == ' ')
            Piece = QByteArray(1, char(C));
        else
            Piece = "=" + QByteArray::number(C, 16).toUpper().rightJustified(2, '0');
        if (Column + Piece.size() > 75)
        {
            Encoded += "=\r\n";
            Column = 0;
        }
        Encoded += Piece;
        Column += int(Piece.size());
    }
    return Encoded;
}

// A web archive as Word and Excel save one ("Single File Web Page"): the page as the
// first part, in the given transfer encoding and charset, and a picture after it.
inline QByteArray Archive(const QByteArray& Page, const char* Charset, const char* Transfer = "quoted-printable",
    const QByteArray& TypeParameters = QByteArray())
{
    const QByteArray Boundary = "----=_NextPart_01DA0000.12345678";
    QByteArray Body;
    if (qstrcmp(Transfer, "base64") == 0)
        Body = Page.toBase64();
    else if (qstrcmp(Transfer, "quoted-printable") == 0)
        Body = QuotedPrintable(Page);
    else
        Body = Page;
    QByteArray Type = "text/html";
    if (*Charset)
        Type += QByteArray("; charset=\"") + Charset + "\"";
    return "MIME-Version: 1.0\r\nX-Document-Type: Workbook\r\nContent-Type: multipart/related; boundary=\"" + Boundary
        + "\"" + TypeParameters + "\r\n\r\nThis document is a Single File Web Page, also known as a Web Archive file.\r\n\r\n--"
        + Boundary + "\r\nContent-Location: file:///C:/D0C5/page.htm\r\nContent-Transfer-Encoding: " + Transfer
        + "\r\nContent-Type: " + Type + "\r\n\r\n" + Body + "\r\n\r\n--" + Boundary
        + "\r\nContent-Location: file:///C:/D0C5/page_files/image001.png\r\nContent-ID: <image001.png@01DA0000>\r\n"
          "Content-Transfer-Encoding: base64\r\nContent-Type: image/png\r\n\r\niVBORw0KGgo=\r\n\r\n--"
        + Boundary + "--\r\n";
}
} // namespace WebPages
