#pragma once

#include "Sentences.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Small RTF documents, each with the lines that Word shows of it, shared by the RTF
// reader's tests and the fuzzers' seeds.
namespace RtfSamples
{
using Sentences::Chinese;
using Sentences::Czech;
using Sentences::Greek;
using Sentences::Japanese;
using Sentences::Russian;

// Text as RTF writes it in a code page: bytes above 127 as \'hh, the others as they are
// (so the second byte of a double-byte character may be a plain letter).
inline QByteArray Escaped(const char* Codec, const QString& Text)
{
    const QByteArray Bytes = Sentences::Encode(Codec, Text);
    QByteArray Rtf;
    for (const char Byte : Bytes)
    {
        if (quint8(Byte) < 0x80)
            Rtf += Byte;
        else
            Rtf += "\\'" + QByteArray::number(quint8(Byte), 16).rightJustified(2, '0');
    }
    return Rtf;
}

// Text as \uN control words, each followed by a "?" for readers without Unicode.
inline QByteArray UnicodeEscaped(const QString& Text)
{
    QByteArray Rtf;
    for (const QChar Char : Text)
        Rtf += "\\u" + QByteArray::number(qint16(Char.unicode())) + '?';
    return Rtf;
}

// A document whose font table holds Fonts ("{\f1\fcharset204 Arial;}" ...).
inline QByteArray Document(const QByteArray& Header, const QByteArray& Fonts, const QByteArray& Body)
{
    return "{\\rtf1" + Header + "\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}" + Fonts + "}\r\n"
        + "{\\colortbl;\\red0\\green0\\blue0;}{\\stylesheet{\\s0 Normal;}}\r\n\\pard\\plain " + Body + "}";
}

struct TSample
{
    const char* Name;
    QByteArray Content;
    QStringList Lines;
};

inline QList<TSample> Samples()
{
    const QByteArray Cyrillic = "{\\f1\\fswiss\\fcharset204 Arial;}";
    return {
        {"paragraphs", Document("\\ansi", "", "First\\par\r\n\\par Second {\\b bold} text\\par Last"),
            {QStringLiteral("First"), QString(), QStringLiteral("Second bold text"), QStringLiteral("Last")}},
        {"last mark gives no empty line", Document("\\ansi", "", "Only\\par"), {QStringLiteral("Only")}},
        {"document code page", Document("\\ansi\\ansicpg1251", "", Escaped("windows-1251", Russian) + "\\par"),
            {Russian}},
        {"fonts' character sets",
            Document("\\ansi\\ansicpg1252", Cyrillic + "{\\f2\\fcharset238 Arial CE;}{\\f3\\fcharset161 Arial Greek;}",
                "\\f2 " + Escaped("windows-1250", Czech) + "\\par\\f3 " + Escaped("windows-1253", Greek)
                    + "\\par\\f0 {\\f1 " + Escaped("windows-1251", Russian) + "} caf\\'e9\\par"),
            {Czech, Greek, Russian + QStringLiteral(" café")}},
        {"default font's character set",
            "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset204 Arial;}}" + Escaped("windows-1251", Russian) + "}", {Russian}},
        {"font code page", Document("\\ansi", "{\\f1\\fnil\\fcharset0\\cpg1250 Arial CE;}", "\\f1 " + Escaped("windows-1250", Czech)),
            {Czech}},
        {"double-byte code pages",
            Document("\\ansi\\ansicpg936", "{\\f1\\fnil\\fcharset134 SimSun;}{\\f2\\fnil\\fcharset128 MS Mincho;}",
                "\\f1 " + Escaped("GBK", Chinese) + "\\par\\f2 " + Escaped("Shift_JIS", Japanese) + "\\par"),
            {Chinese, Japanese}},
        {"Word's fonts for each kind of character",
            Document("\\ansi\\ansicpg1252", "{\\f2\\froman\\fcharset0 Times New Roman;}{\\f13\\fnil\\fcharset134 SimSun;}",
                "\\ltrpar\\rtlch\\fcs1 \\af2 \\ltrch\\fcs0 \\loch\\af2\\hich\\af2\\dbch\\af13 "
                "{\\rtlch\\fcs1 \\af2 \\ltrch\\fcs0 " + Escaped("GBK", Chinese) + "}"
                "{\\rtlch\\fcs1 \\af2 \\ltrch\\fcs0 \\hich\\af2\\dbch\\af13\\loch\\f2  caf\\hich\\af2\\dbch\\af13\\loch\\f2 \\'e9}"
                "{\\loch\\af13\\hich\\af13\\dbch\\f13 " + Escaped("GBK", QStringLiteral("见面")) + "}\\par"),
            {Chinese + QStringLiteral(" café见面")}},
        {"Unicode and its stand-ins",
            Document("\\ansi\\ansicpg936", "{\\f1\\fnil\\fcharset134 SimSun;}",
                "\\uc1 " + UnicodeEscaped(Greek) + "\\par{\\f1\\uc2 " + UnicodeEscaped(QStringLiteral("我们")).replace("?", "\\'ce\\'d2")
                    + "}\\u8220\\ldblquote x\\u8221\\'94\\par\\uc0\\u-10179\\u-8704 \\u20013 ok\\par"),
            {Greek, QStringLiteral("我们“x”"), QStringLiteral("😀中ok")}},
        {"hidden destinations",
            Document("\\ansi", "",
                "{\\info{\\title Title}{\\author Someone}}{\\*\\generator Writer 1.0;}{\\header Page header\\par}"
                "Body {\\footnote\\pard Note text}{\\*\\unknowndestination secret}"
                "{\\pict\\pngblip 89504e47{\\*\\blipuid 0123}}{\\*\\bkmkstart mark}"
                "{\\field{\\*\\fldinst {HYPERLINK \"https://example.org\"}}{\\fldrslt {\\ul link}}} end\\par"
                "{\\pntext\\f0 1.\\tab}{\\listtext 2.\\tab}Item\\par"),
            {QStringLiteral("Body link end"), QStringLiteral("Item")}},
        {"table cells",
            Document("\\ansi", "",
                "before\\par\\trowd\\cellx1000\\cellx2000\\pard\\intbl A1\\cell B1\\par B1b\\cell\\row"
                "\\trowd\\cellx1000\\cellx2000\\pard\\intbl\\cell A2\\cell\\row\\pard after"),
            {QStringLiteral("before"), QStringLiteral("A1"), QStringLiteral("B1"), QStringLiteral("B1b"), QString(),
                QStringLiteral("A2"), QStringLiteral("after")}},
        {"nested tables",
            Document("\\ansi", "",
                "\\pard\\intbl\\itap2 inner\\nestcell{\\*\\nesttableprops\\trowd\\nestrow}"
                "{\\nonesttables\\par inner}\\cell\\row"),
            {QStringLiteral("inner"), QString()}},
        {"special characters",
            Document("\\ansi", "",
                "a\\tab b\\line c\\emdash d\\endash e\\lquote f\\rquote \\ldblquote g\\rdblquote\\bullet "
                "h\\~i\\-j\\_k \\{\\}\\\\\\par\r\nline\\\r\nbreak"),
            {QStringLiteral("a\tb c—d–e‘f’“g”•h\u00A0ij-k {}\\"), QStringLiteral("line"), QStringLiteral("break")}},
        {"hidden and deleted text",
            Document("\\ansi", "",
                "shown {\\v hidden }text\\v  still hidden\\v0  again\\par "
                "dog{\\deleted\\revauthdel1 frog}{\\revised  cat}\\par "
                "joined{\\deleted \\par} line\\par"),
            {QStringLiteral("shown text again"), QStringLiteral("dog cat"), QStringLiteral("joined line")}},
        {"breaks", Document("\\ansi", "", "one\\page\\par two\\column three\\sect\\sectd\\par four"),
            {QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three"), QStringLiteral("four")}},
        {"nested groups",
            Document("\\ansi", Cyrillic,
                "{{{\\f1 {\\b " + Escaped("windows-1251", QStringLiteral("Съешь")) + "}} {{{{\\i x}}}}}}"
                "{\\v {a{b{c}}}}\\plain {\\f1\\v0 " + Escaped("windows-1251", QStringLiteral("ещё")) + "}"),
            {QStringLiteral("Съешь xещё")}},
        {"8-bit copy of Unicode text", Document("\\ansi", "", "{\\upr{ansi copy}{\\*\\ud{Unicode \\u8364?}}} text"),
            {QStringLiteral("Unicode € text")}},
        {"binary data",
            Document("\\ansi", "", "{\\pict\\bin6 }{\\}\\x}after\\bin3 {}xend"),
            {QStringLiteral("afterend")}},
        {"Macintosh text", Document("\\mac", "", "caf\\'8e ~ Gr\\'9f\\'a7e"), {QStringLiteral("café ~ Grüße")}},
        {"text after the document", Document("\\ansi", "", "inside") + "outside\\par", {QStringLiteral("inside")}},
    };
}
} // namespace RtfSamples
