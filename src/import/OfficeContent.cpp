#include "OfficeContent.h"

#include <QString>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>

namespace
{
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
    // A local file header, or the end record of an empty archive.
    if (Content.startsWith(QByteArrayView("PK\x03\x04", 4)) || Content.startsWith(QByteArrayView("PK\x05\x06", 4)))
        return TKind::Zip;
    if (Content.startsWith(QByteArrayView("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)))
        return TKind::CompoundFile;
    if (Content.startsWith("{\\rtf"))
        return TKind::Rtf;
    return XmlKind(Content);
}
