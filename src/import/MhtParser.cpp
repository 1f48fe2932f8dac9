#include "MhtParser.h"

#include "DocumentError.h"
#include "HtmlParser.h"
#include "HtmlSheetParser.h"

// GIO, which GMime includes, names a structure member "signals", a keyword to Qt.
#pragma push_macro("signals")
#undef signals
#include <gmime/gmime.h>
#pragma pop_macro("signals")

#include <cstring>
#include <memory>
#include <new>

namespace
{
struct TUnref
{
    void operator()(void* Object) const noexcept { g_object_unref(Object); }
};

template <typename T>
using TRef = std::unique_ptr<T, TUnref>;

bool IsPage(GMimeObject* Part)
{
    GMimeContentType* Type = g_mime_object_get_content_type(Part);
    return Type
        && (g_mime_content_type_is_type(Type, "text", "html") || g_mime_content_type_is_type(Type, "application", "xhtml+xml"));
}

// The part of a multipart that holds the page: of related parts the one the "start"
// parameter names, else the first; of alternatives the last page; of others the first
// page or multipart.
GMimeObject* PagePart(GMimeMultipart* Multipart)
{
    const int Count = g_mime_multipart_get_count(Multipart);
    if (Count <= 0)
        return nullptr;
    GMimeContentType* Type = g_mime_object_get_content_type(GMIME_OBJECT(Multipart));
    if (g_mime_content_type_is_type(Type, "multipart", "related"))
    {
        if (const char* Start = g_mime_object_get_content_type_parameter(GMIME_OBJECT(Multipart), "start"))
        {
            QByteArray Id = QByteArray(Start).trimmed();
            if (Id.startsWith('<') && Id.endsWith('>'))
                Id = Id.mid(1, Id.size() - 2);
            for (int Index = 0; Index < Count; ++Index)
            {
                GMimeObject* Part = g_mime_multipart_get_part(Multipart, Index);
                const char* PartId = g_mime_object_get_content_id(Part);
                if (PartId && Id == PartId)
                    return Part;
            }
        }
        return g_mime_multipart_get_part(Multipart, 0);
    }
    const bool Alternative = g_mime_content_type_is_type(Type, "multipart", "alternative");
    GMimeObject* Found = nullptr;
    for (int Index = 0; Index < Count; ++Index)
    {
        GMimeObject* Part = g_mime_multipart_get_part(Multipart, Index);
        if (IsPage(Part) || (!Alternative && GMIME_IS_MULTIPART(Part)))
        {
            Found = Part;
            if (!Alternative)
                break;
        }
    }
    return Found;
}

EDocument NoPage(const QString& FileName)
{
    return EDocument(QStringLiteral("无法读取网页存档 '%1'：其中没有网页。").arg(FileName));
}
} // namespace

TMhtParser::TPage TMhtParser::RootPage(const QByteArray& Archive, const QString& FileName)
{
    static const bool Initialised = [] {
        g_mime_init();
        return true;
    }();
    (void)Initialised;

    const TRef<GMimeStream> Stream(g_mime_stream_mem_new_with_buffer(Archive.constData(), size_t(Archive.size())));
    const TRef<GMimeParser> Parser(g_mime_parser_new_with_stream(Stream.get()));
    const TRef<GMimeMessage> Message(g_mime_parser_construct_message(Parser.get(), nullptr));
    if (!Message)
        throw NoPage(FileName);

    // The parser nests multiparts no deeper than it can handle, so this walk ends.
    GMimeObject* Part = g_mime_message_get_mime_part(Message.get());
    while (Part && GMIME_IS_MULTIPART(Part))
        Part = PagePart(GMIME_MULTIPART(Part));
    if (!Part || !GMIME_IS_PART(Part) || !IsPage(Part))
        throw NoPage(FileName);

    TPage Page;
    if (const char* Charset = g_mime_object_get_content_type_parameter(Part, "charset"))
        Page.Charset = QByteArray(Charset);
    GMimeDataWrapper* Content = g_mime_part_get_content(GMIME_PART(Part));
    if (!Content)
        return Page;
    // Writing the content undoes its transfer encoding (quoted-printable, base64).
    const TRef<GMimeStream> Decoded(g_mime_stream_mem_new());
    if (!Decoded || g_mime_data_wrapper_write_to_stream(Content, Decoded.get()) < 0)
        throw NoPage(FileName);
    const GByteArray* Bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(Decoded.get()));
    if (Bytes && Bytes->len > 0)
        Page.Html = QByteArray(reinterpret_cast<const char*>(Bytes->data), qsizetype(Bytes->len));
    return Page;
}

QStringList TMhtParser::Parse(const QByteArray& Archive, const QString& FileName, const QByteArray& LegacyCodec)
{
    const TPage Page = RootPage(Archive, FileName);
    return THtmlParser::Parse(Page.Html, FileName, LegacyCodec, Page.Charset);
}

QStringList TMhtParser::ParseSheet(const QByteArray& Archive, const QString& FileName, const QByteArray& LegacyCodec)
{
    const TPage Page = RootPage(Archive, FileName);
    return THtmlSheetParser::Parse(Page.Html, FileName, LegacyCodec, Page.Charset);
}
