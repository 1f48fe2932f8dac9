#include "HtmlBlocks.h"

#include "MalformedDataError.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace
{
enum TFlag : unsigned
{
    Skip = 1,
    Pre = 2,
};

bool IsSpace(char C) noexcept
{
    return C == ' ' || C == '\t' || C == '\n' || C == '\r' || C == '\f';
}

// Word's footnotes, endnotes, comments, headers and footers are divisions of their own,
// outside the text of the document.
bool IsWordSideStory(THtmlSax::TAttributes Attributes) noexcept
{
    const char* Style = THtmlSax::Attribute(Attributes, "style");
    if (!Style)
        return false;
    const char* Element = std::strstr(Style, "mso-element:");
    if (!Element)
        return false;
    Element += std::strlen("mso-element:");
    while (IsSpace(*Element))
        ++Element;
    for (const char* Story : {"footnote", "endnote", "comment", "header", "footer"})
        if (std::strncmp(Element, Story, std::strlen(Story)) == 0)
            return true;
    return false;
}

struct TElementKind
{
    const char* Name;
    THtmlBlocks::TElement Element;
    unsigned Flags;
};

using E = THtmlBlocks::TElement;

// Sorted by name, for the binary search. Elements not listed are inline.
constexpr TElementKind Kinds[] = {
    {"address", E::Block, 0}, {"article", E::Block, 0}, {"aside", E::Block, 0}, {"blockquote", E::Block, 0},
    {"body", E::Block, 0}, {"br", E::Break, 0}, {"caption", E::Paragraph, 0}, {"center", E::Block, 0},
    {"dd", E::Paragraph, 0}, {"details", E::Block, 0}, {"dialog", E::Block, 0}, {"dir", E::Block, 0},
    {"div", E::Block, 0}, {"dl", E::Block, 0}, {"dt", E::Paragraph, 0}, {"fieldset", E::Block, 0},
    {"figcaption", E::Block, 0}, {"figure", E::Block, 0}, {"footer", E::Block, 0}, {"form", E::Block, 0},
    {"frame", E::Block, 0}, {"frameset", E::Block, 0}, {"h1", E::Paragraph, 0}, {"h2", E::Paragraph, 0},
    {"h3", E::Paragraph, 0}, {"h4", E::Paragraph, 0}, {"h5", E::Paragraph, 0}, {"h6", E::Paragraph, 0},
    {"head", E::Inline, Skip}, {"header", E::Block, 0}, {"hgroup", E::Block, 0}, {"hr", E::Block, 0},
    {"iframe", E::Inline, Skip}, {"legend", E::Paragraph, 0}, {"li", E::Paragraph, 0},
    {"listing", E::Paragraph, Pre}, {"main", E::Block, 0}, {"math", E::Inline, Skip}, {"menu", E::Block, 0},
    {"nav", E::Block, 0}, {"noframes", E::Inline, Skip}, {"object", E::Inline, Skip}, {"ol", E::Block, 0},
    {"p", E::Paragraph, 0}, {"plaintext", E::Paragraph, Pre}, {"pre", E::Paragraph, Pre},
    {"script", E::Inline, Skip}, {"section", E::Block, 0}, {"select", E::Inline, Skip}, {"style", E::Inline, Skip},
    {"summary", E::Paragraph, 0}, {"svg", E::Inline, Skip}, {"table", E::Table, 0}, {"tbody", E::Block, 0},
    {"td", E::Cell, 0}, {"template", E::Inline, Skip}, {"textarea", E::Paragraph, Pre}, {"tfoot", E::Block, 0},
    {"th", E::Cell, 0}, {"thead", E::Block, 0}, {"title", E::Inline, Skip}, {"tr", E::Row, 0}, {"ul", E::Block, 0},
    {"xml", E::Inline, Skip}, {"xmp", E::Paragraph, Pre},
};
} // namespace

void THtmlBlocks::ParsePage(QByteArrayView Utf8)
{
    FOpen.clear();
    FSkipped = FConditional = FPreformatted = 0;
    FLessThan = FAtPreStart = false;
    Parse(Utf8);
    FlushLessThan();
}

void THtmlBlocks::StartElement(const char* Name, TAttributes Attributes)
{
    FlushLessThan();
    if (FOpen.size() >= size_t(MaximumDepth))
        throw EMalformedData(QStringLiteral("元素嵌套超过 %1 层").arg(MaximumDepth));

    const auto Found = std::lower_bound(std::begin(Kinds), std::end(Kinds), Name,
        [](const TElementKind& Kind, const char* Key) { return std::strcmp(Kind.Name, Key) < 0; });
    TElement Element = TElement::Inline;
    unsigned Flags = 0;
    if (Found != std::end(Kinds) && std::strcmp(Found->Name, Name) == 0)
    {
        Element = Found->Element;
        Flags = Found->Flags;
    }
    if (Element == TElement::Block && IsWordSideStory(Attributes))
        Flags |= Skip;

    TOpen Open{Element, Visible() && !(Flags & Skip) && Element != TElement::Inline, (Flags & Skip) != 0,
        Visible() && (Flags & Pre) != 0};
    FSkipped += Open.Skipped;
    if (Open.Preformatted)
    {
        ++FPreformatted;
        FAtPreStart = true;
    }
    FOpen.push_back(Open);
    if (Open.Reported)
        Start(Element, Attributes);
}

void THtmlBlocks::EndElement(const char*)
{
    FlushLessThan();
    if (FOpen.empty())
        return;
    const TOpen Open = FOpen.back();
    FOpen.pop_back();
    FSkipped -= Open.Skipped;
    FPreformatted -= Open.Preformatted;
    if (Open.Reported)
        End(Open.Element);
}

void THtmlBlocks::Characters(QByteArrayView Chunk)
{
    // libxml2 gives a "<" that begins no tag as text of its own, followed by the rest of
    // the construct: that is how Office's "<![if ...]>" and "<![endif]>" arrive.
    if (FLessThan)
    {
        FLessThan = false;
        const qsizetype Close = Chunk.indexOf("]>");
        if (Close > 0 && (Chunk.startsWith("![if") || Chunk.startsWith("![endif")))
        {
            if (Chunk.startsWith("![if"))
                ++FConditional;
            else if (FConditional > 0)
                --FConditional;
            Chunk = Chunk.sliced(Close + 2);
        }
        else
            VisibleText("<");
    }
    if (Chunk == "<")
        FLessThan = true;
    else if (!Chunk.empty())
        VisibleText(Chunk);
}

void THtmlBlocks::FlushLessThan()
{
    if (FLessThan)
    {
        FLessThan = false;
        VisibleText("<");
    }
}

void THtmlBlocks::VisibleText(QByteArrayView Chunk)
{
    if (!Visible())
        return;
    const bool Preformatted = FPreformatted > 0;
    if (Preformatted && FAtPreStart)
    {
        // A line break right after the start tag belongs to the markup.
        if (Chunk.startsWith("\r\n"))
            Chunk = Chunk.sliced(2);
        else if (Chunk.startsWith('\n') || Chunk.startsWith('\r'))
            Chunk = Chunk.sliced(1);
    }
    FAtPreStart = false;
    if (!Chunk.empty())
        Text(Chunk, Preformatted);
}
