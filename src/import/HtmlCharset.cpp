#include "HtmlCharset.h"

#include "HtmlSax.h"
#include "TextFileDecoder.h"

#include <QStringDecoder>

#include <cstring>

namespace
{
// Looks through the head of a page for its meta charset and stops at the body.
class TMetaCharset final : public THtmlSax
{
public:
    QByteArray Find(QByteArrayView Page)
    {
        // Only ASCII matters here, and other bytes must not make the parser guess an
        // encoding of its own.
        QByteArray Ascii = Page.first(std::min<qsizetype>(Page.size(), ScanLength)).toByteArray();
        for (char& C : Ascii)
            if (quint8(C) >= 0x80 || C == 0)
                C = '?';
        Parse(Ascii);
        return FCharset;
    }

private:
    static constexpr qsizetype ScanLength = 16384;

    void StartElement(const char* Name, TAttributes Attributes) override
    {
        if (std::strcmp(Name, "body") == 0 || std::strcmp(Name, "frameset") == 0)
        {
            Stop();
            return;
        }
        if (std::strcmp(Name, "meta") != 0)
            return;
        if (const char* Charset = Attribute(Attributes, "charset"))
            FCharset = QByteArray(Charset).trimmed();
        else if (const char* Equiv = Attribute(Attributes, "http-equiv"); Equiv && qstricmp(Equiv, "content-type") == 0)
            FCharset = FromContentType(Attribute(Attributes, "content"));
        if (!FCharset.isEmpty())
            Stop();
    }

    void EndElement(const char*) override {}
    void Characters(QByteArrayView) override {}

    // "text/html; charset=windows-1251" gives "windows-1251".
    static QByteArray FromContentType(const char* Content)
    {
        if (!Content)
            return QByteArray();
        const QByteArray Value(Content);
        const qsizetype At = Value.toLower().indexOf("charset");
        if (At < 0)
            return QByteArray();
        QByteArray Rest = Value.mid(At + 7).trimmed();
        if (!Rest.startsWith('='))
            return QByteArray();
        Rest = Rest.mid(1).trimmed();
        if (Rest.startsWith('"') || Rest.startsWith('\''))
            Rest = Rest.mid(1);
        qsizetype End = 0;
        while (End < Rest.size() && Rest[End] != ';' && Rest[End] != '"' && Rest[End] != '\'' && Rest[End] != ' ')
            ++End;
        return Rest.left(End);
    }

    QByteArray FCharset;
};

// The converter for a charset label. Labels name their encodings loosely; like browsers,
// Latin-1 and ASCII pages are read as Windows-1252 and GB2312 pages as their superset, and
// "unicode" is what Word calls UTF-16.
QStringDecoder DecoderFor(QByteArray Label)
{
    Label = Label.trimmed().toLower();
    if (Label.isEmpty())
        return QStringDecoder();
    static const struct
    {
        const char* Label;
        const char* Codec;
    } Aliases[] = {
        {"iso-8859-1", "windows-1252"}, {"latin1", "windows-1252"}, {"iso8859-1", "windows-1252"},
        {"us-ascii", "windows-1252"}, {"ascii", "windows-1252"}, {"gb2312", "GB18030"}, {"gbk", "GB18030"},
        {"x-gbk", "GB18030"}, {"gb_2312-80", "GB18030"}, {"euc-cn", "GB18030"}, {"shift_jis", "windows-31j"},
        {"shift-jis", "windows-31j"}, {"sjis", "windows-31j"}, {"x-sjis", "windows-31j"}, {"ms_kanji", "windows-31j"},
        {"ks_c_5601-1987", "windows-949"}, {"euc-kr", "windows-949"}, {"unicode", "UTF-16LE"},
        {"utf-16", "UTF-16LE"}, {"unicodefffe", "UTF-16BE"},
    };
    const char* Codec = Label.constData();
    for (const auto& Alias : Aliases)
        if (Label == Alias.Label)
            Codec = Alias.Codec;
    return QStringDecoder(Codec, QStringConverter::Flag::Stateless);
}

bool IsUtf8(const QStringDecoder& Decoder)
{
    const char* Name = Decoder.name();
    return Name && qstricmp(Name, "UTF-8") == 0;
}
} // namespace

QByteArray THtmlCharset::Declared(QByteArrayView Page)
{
    return TMetaCharset().Find(Page);
}

QByteArray THtmlCharset::ToUtf8(
    const QByteArray& Page, QByteArrayView HeaderCharset, const QByteArray& LegacyCodec, const QString& FileName)
{
    const bool Marked = Page.startsWith("\xEF\xBB\xBF") || Page.startsWith("\xFF\xFE") || Page.startsWith("\xFE\xFF");
    if (!Marked)
    {
        QStringDecoder Decoder = DecoderFor(HeaderCharset.isEmpty() ? Declared(Page) : HeaderCharset.toByteArray());
        if (Decoder.isValid())
        {
            if (IsUtf8(Decoder) && Page.isValidUtf8())
                return Page;
            return QString(Decoder.decode(Page)).toUtf8();
        }
        if (Page.isValidUtf8())
            return Page;
    }
    return TTextFileDecoder(LegacyCodec).Decode(Page, FileName).toUtf8();
}
