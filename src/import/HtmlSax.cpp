#include "HtmlSax.h"

#include "MalformedDataError.h"

#include <libxml/HTMLparser.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>

#include <cstring>
#include <limits>
#include <memory>

namespace
{
void Silent(void*, const char*, ...) {}

struct TContextDeleter
{
    void operator()(htmlParserCtxtPtr Context) const noexcept { htmlFreeParserCtxt(Context); }
};
} // namespace

THtmlSax::~THtmlSax() = default;

template <typename TCall>
void THtmlSax::Guarded(void* Self, TCall Call) noexcept
{
    auto* Parser = static_cast<THtmlSax*>(Self);
    if (Parser->FError)
        return;
    // Exceptions cannot pass through the C parser: kept, the parse stopped, thrown again
    // once it has returned.
    try
    {
        Call(*Parser);
    }
    catch (...)
    {
        Parser->FError = std::current_exception();
        Parser->Stop();
    }
}

void THtmlSax::Parse(QByteArrayView Utf8)
{
    static const bool Initialised = [] {
        xmlInitParser();
        return true;
    }();
    (void)Initialised;
    if (Utf8.empty())
        return; // libxml2 makes no parser for nothing
    if (Utf8.size() > std::numeric_limits<int>::max())
        throw EMalformedData(QStringLiteral("网页解码后大于 2 GiB"));

    const std::unique_ptr<htmlParserCtxt, TContextDeleter> Context(
        htmlCreateMemoryParserCtxt(Utf8.data(), int(Utf8.size())));
    if (!Context)
        throw std::bad_alloc();

    htmlSAXHandler& Handler = *Context->sax;
    std::memset(&Handler, 0, sizeof Handler);
    Handler.startElement = [](void* Self, const xmlChar* Name, const xmlChar** Attributes) {
        Guarded(Self, [&](THtmlSax& Parser) {
            Parser.StartElement(reinterpret_cast<const char*>(Name), reinterpret_cast<TAttributes>(Attributes));
        });
    };
    Handler.endElement = [](void* Self, const xmlChar* Name) {
        Guarded(Self, [&](THtmlSax& Parser) { Parser.EndElement(reinterpret_cast<const char*>(Name)); });
    };
    Handler.characters = [](void* Self, const xmlChar* Text, int Length) {
        Guarded(Self, [&](THtmlSax& Parser) {
            Parser.Characters(QByteArrayView(reinterpret_cast<const char*>(Text), Length));
        });
    };
    Handler.ignorableWhitespace = Handler.characters;
    Handler.cdataBlock = [](void*, const xmlChar*, int) {}; // the text of scripts and style sheets
    Handler.warning = Silent;
    Handler.error = Silent;
    Handler.fatalError = Silent;
    Context->userData = this;

    htmlCtxtUseOptions(Context.get(),
        HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET | HTML_PARSE_IGNORE_ENC);
    xmlSwitchEncoding(Context.get(), XML_CHAR_ENCODING_UTF8);
    FContext = Context.get();
    FError = nullptr;
    htmlParseDocument(Context.get());
    FContext = nullptr;
    if (FError)
        std::rethrow_exception(std::exchange(FError, nullptr));
}

void THtmlSax::Stop() noexcept
{
    if (FContext)
        xmlStopParser(static_cast<htmlParserCtxtPtr>(FContext));
}

const char* THtmlSax::Attribute(TAttributes Attributes, const char* Name) noexcept
{
    if (!Attributes)
        return nullptr;
    for (; Attributes[0]; Attributes += 2)
        if (std::strcmp(reinterpret_cast<const char*>(Attributes[0]), Name) == 0)
            return Attributes[1] ? reinterpret_cast<const char*>(Attributes[1]) : "";
    return nullptr;
}
