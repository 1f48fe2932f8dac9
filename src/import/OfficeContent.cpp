#include "OfficeContent.h"

#include <QByteArrayView>
#include <QLatin1StringView>
#include <QString>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace
{
bool StartsWith(QByteArrayView Bytes, QByteArrayView Prefix, qsizetype Offset = 0) noexcept
{
    return Bytes.size() >= Offset + Prefix.size() && Bytes.sliced(Offset, Prefix.size()) == Prefix;
}

// The ZIP package of an OpenDocument file or an EPUB book begins with its uncompressed
// "mimetype" entry, so that the type can be read at a fixed place. Names are UTF-8.
const char* PackagedFormat(QByteArrayView Bytes) noexcept
{
    if (!StartsWith(Bytes, "PK\x03\x04") || !StartsWith(Bytes, "mimetype", 30))
        return nullptr;
    const QByteArrayView Type = Bytes.sliced(std::min<qsizetype>(Bytes.size(), 38));
    if (StartsWith(Type, "application/epub+zip"))
        return "EPUB 电子书";
    if (!StartsWith(Type, "application/vnd.oasis.opendocument."))
        return nullptr;
    const QByteArrayView Kind = Type.sliced(35);
    if (StartsWith(Kind, "text"))
        return "OpenDocument 文本文档（.odt）";
    if (StartsWith(Kind, "spreadsheet"))
        return "OpenDocument 电子表格（.ods）";
    if (StartsWith(Kind, "presentation"))
        return "OpenDocument 演示文稿（.odp）";
    return "OpenDocument 文件";
}

struct TSignature
{
    QByteArrayView Bytes;
    const char* Name; // UTF-8
};

const std::array<TSignature, 11> Signatures{{
    {"%PDF-", "PDF 文件"},
    {"\xFF" "WPC", "WordPerfect 文档"},
    {"\x89PNG\r\n\x1A\n", "PNG 图像"},
    {"\xFF\xD8\xFF", "JPEG 图像"},
    {"GIF87a", "GIF 图像"},
    {"GIF89a", "GIF 图像"},
    {QByteArrayView("II*\0", 4), "TIFF 图像"},
    {QByteArrayView("MM\0*", 4), "TIFF 图像"},
    {"7z\xBC\xAF\x27\x1C", "7z 压缩包"},
    {"Rar!\x1A\x07", "RAR 压缩包"},
    {"\x1F\x8B\x08", "gzip 压缩文件"},
}};

const char* ForeignName(QByteArrayView Bytes) noexcept
{
    if (const char* Packaged = PackagedFormat(Bytes))
        return Packaged;
    for (const TSignature& Signature : Signatures)
        if (StartsWith(Bytes, Signature.Bytes))
            return Signature.Name;
    if (StartsWith(Bytes, "RIFF") && StartsWith(Bytes, "WEBP", 8))
        return "WebP 图像";
    // A bitmap's file header: "BM", the file size, then four reserved zero bytes.
    if (StartsWith(Bytes, "BM") && StartsWith(Bytes, QByteArrayView("\0\0\0\0", 4), 6))
        return "BMP 图像";
    return nullptr;
}

// The first bytes as ASCII, whatever byte-order mark they begin with: UTF-16 text keeps
// its low bytes while the high ones are zero. Enough for the markup that tells a format.
class TAsciiProbe
{
public:
    explicit TAsciiProbe(QByteArrayView Bytes) noexcept
    {
        int Step = 1;
        qsizetype Low = 0;
        if (StartsWith(Bytes, "\xEF\xBB\xBF"))
            Bytes = Bytes.sliced(3);
        else if (StartsWith(Bytes, "\xFF\xFE"))
            Bytes = Bytes.sliced(2), Step = 2;
        else if (StartsWith(Bytes, "\xFE\xFF"))
            Bytes = Bytes.sliced(2), Step = 2, Low = 1;
        for (qsizetype I = 0; I + Step - 1 < Bytes.size() && FSize < qsizetype(FBytes.size()); I += Step)
        {
            if (Step == 2 && Bytes[I + 1 - Low] != 0)
                break;
            FBytes[size_t(FSize++)] = Bytes[I + Low];
        }
    }

    QByteArrayView First(qsizetype Size) const noexcept { return QByteArrayView(FBytes.data(), std::min(Size, FSize)); }

private:
    std::array<char, 16384> FBytes;
    qsizetype FSize = 0;
};

bool IsSpace(char C) noexcept
{
    return C == ' ' || C == '\t' || C == '\n' || C == '\r' || C == '\f';
}

QByteArrayView SkipSpace(QByteArrayView Text) noexcept
{
    while (!Text.empty() && IsSpace(Text.front()))
        Text = Text.sliced(1);
    return Text;
}

bool StartsWithTag(QByteArrayView Text, QLatin1StringView Tag) noexcept
{
    if (Text.size() <= Tag.size() || QLatin1StringView(Text.first(Tag.size())).compare(Tag, Qt::CaseInsensitive) != 0)
        return false;
    const char After = Text[Tag.size()];
    return IsSpace(After) || After == '>';
}

// Markup that begins an HTML page, as browsers tell HTML from other text; also the
// meta element that web reports often start with, and XHTML after its XML declaration.
bool IsHtml(QByteArrayView Probe)
{
    static constexpr QLatin1StringView Tags[] = {"<!DOCTYPE HTML"_L1, "<HTML"_L1, "<HEAD"_L1, "<SCRIPT"_L1,
        "<IFRAME"_L1, "<H1"_L1, "<DIV"_L1, "<FONT"_L1, "<TABLE"_L1, "<A"_L1, "<STYLE"_L1, "<TITLE"_L1, "<B"_L1,
        "<BODY"_L1, "<BR"_L1, "<P"_L1, "<!--"_L1, "<META"_L1};
    QByteArrayView Text = SkipSpace(Probe);
    if (StartsWith(Text, "<?xml"))
    {
        const qsizetype End = Text.indexOf("?>");
        if (End < 0)
            return false;
        Text = SkipSpace(Text.sliced(End + 2));
        return StartsWithTag(Text, "<!DOCTYPE HTML"_L1) || StartsWithTag(Text, "<HTML"_L1);
    }
    return std::any_of(std::begin(Tags), std::end(Tags), [Text](QLatin1StringView Tag) { return StartsWithTag(Text, Tag); });
}

// A MIME message whose body is made of parts: header fields up to the first empty line,
// one of them a multipart Content-Type.
bool IsMimeMultipart(QByteArrayView Probe)
{
    bool Multipart = false;
    qsizetype Start = 0;
    while (Start < Probe.size())
    {
        qsizetype End = Probe.indexOf('\n', Start);
        if (End < 0)
            return false; // the header does not end within the probe
        QByteArrayView Line = Probe.sliced(Start, End - Start);
        Start = End + 1;
        if (Line.endsWith('\r'))
            Line.chop(1);
        if (Line.isEmpty())
            return Multipart;
        if (IsSpace(Line.front()))
            continue; // a folded field goes on
        const qsizetype Colon = Line.indexOf(':');
        if (Colon <= 0)
            return false;
        for (char C : Line.first(Colon))
            if (C <= ' ' || C > '~')
                return false;
        if (QLatin1StringView(Line.first(Colon)).compare("Content-Type"_L1, Qt::CaseInsensitive) == 0)
        {
            const QByteArrayView Value = SkipSpace(Line.sliced(Colon + 1));
            Multipart = Value.size() >= 10 && QLatin1StringView(Value.first(10)).compare("multipart/"_L1, Qt::CaseInsensitive) == 0;
        }
    }
    return false;
}

// Text holds no control character but tab, line breaks, form feed and escape; UTF-16
// is told by its byte-order mark, since half its bytes are zero.
bool IsText(QByteArrayView Bytes) noexcept
{
    if (Bytes.empty())
        return false;
    if (StartsWith(Bytes, "\xFF\xFE") || StartsWith(Bytes, "\xFE\xFF"))
        return true;
    constexpr quint32 BinaryBytes = ~((1u << '\t') | (1u << '\n') | (1u << '\f') | (1u << '\r') | (1u << 0x1B));
    return std::none_of(Bytes.begin(), Bytes.end(), [](char C) {
        const auto Byte = quint8(C);
        return Byte < 0x20 && ((BinaryBytes >> Byte) & 1u) != 0;
    });
}

// The root element and its namespace declarations stand within this many bytes from the
// start of any XML document an Office program wrote.
constexpr qsizetype XmlStartLength = 4096;

// The start of Content as UTF-8 text: UTF-16, with or without its byte-order mark, is
// converted; a UTF-8 byte-order mark is dropped.
QByteArray XmlStart(const QByteArray& Content)
{
    const QByteArrayView Start = QByteArrayView(Content).first(std::min(Content.size(), XmlStartLength));
    const bool LittleEndian = Start.startsWith("\xFF\xFE") || Start.startsWith(QByteArrayView("<\0", 2));
    const bool BigEndian = Start.startsWith("\xFE\xFF") || Start.startsWith(QByteArrayView("\0<", 2));
    if (LittleEndian || BigEndian)
    {
        QStringDecoder Decoder(LittleEndian ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        return QString(Decoder(Start)).toUtf8();
    }
    return (Start.startsWith("\xEF\xBB\xBF") ? Start.sliced(3) : Start).toByteArray();
}

// The name of the first element, after the XML declaration, processing instructions,
// comments and a document type; empty when the text starts with something else.
QByteArrayView RootName(QByteArrayView Text)
{
    qsizetype I = 0;
    for (;;)
    {
        while (I < Text.size() && (Text[I] == ' ' || Text[I] == '\t' || Text[I] == '\r' || Text[I] == '\n'))
            ++I;
        if (I >= Text.size() || Text[I] != '<')
            return {};
        const QByteArrayView Rest = Text.sliced(I);
        const char* End = Rest.startsWith("<?") ? "?>" : Rest.startsWith("<!--") ? "-->" : Rest.startsWith("<!") ? ">" : nullptr;
        if (!End)
            break;
        const qsizetype Close = Rest.indexOf(End);
        if (Close < 0)
            return {};
        I += Close + qsizetype(std::strlen(End));
    }
    const qsizetype Start = I + 1;
    qsizetype Stop = Start;
    while (Stop < Text.size() && Text[Stop] != ' ' && Text[Stop] != '>' && Text[Stop] != '/' && Text[Stop] != '\t'
        && Text[Stop] != '\r' && Text[Stop] != '\n')
        ++Stop;
    const QByteArrayView Name = Text.sliced(Start, Stop - Start);
    const qsizetype Colon = Name.lastIndexOf(':');
    return Colon >= 0 ? Name.sliced(Colon + 1) : Name;
}

TOfficeContent::TKind XmlKind(const QByteArray& Content)
{
    const QByteArray Start = XmlStart(Content);
    const QByteArrayView Root = RootName(Start);
    if (Root == "wordDocument" && Start.contains("http://schemas.microsoft.com/office/word/2003/wordml"))
        return TOfficeContent::TKind::WordXml2003;
    if (Root == "Workbook" && Start.contains("urn:schemas-microsoft-com:office:spreadsheet"))
        return TOfficeContent::TKind::SpreadsheetXml2003;
    return TOfficeContent::TKind::Unknown;
}
} // namespace

TOfficeContent::TKind TOfficeContent::Sniff(const QByteArray& Content)
{
    const QByteArrayView Bytes(Content);
    if (PackagedFormat(Bytes))
        return TKind::Foreign;
    // A local file header, or the end record of an empty archive.
    if (StartsWith(Bytes, "PK\x03\x04") || StartsWith(Bytes, "PK\x05\x06"))
        return TKind::Zip;
    if (StartsWith(Bytes, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return TKind::CompoundFile;
    if (ForeignName(Bytes))
        return TKind::Foreign;
    if (Content.startsWith("{\\rtf"))
        return TKind::Rtf;
    // Word's and Excel's XML formats are text too, and an Office web page names Office's
    // namespaces: they are told by their root element before any page or text.
    if (const TKind Xml = XmlKind(Content); Xml != TKind::Unknown)
        return Xml;
    const TAsciiProbe Probe(Bytes);
    if (IsHtml(Probe.First(1024)))
        return TKind::Html;
    if (IsMimeMultipart(Probe.First(16384)))
        return TKind::Mht;
    if (IsText(Bytes))
        return TKind::Text;
    return TKind::Unknown;
}

QString TOfficeContent::ForeignFormat(const QByteArray& Content)
{
    return QString::fromUtf8(ForeignName(Content));
}
