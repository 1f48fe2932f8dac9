#pragma once

#include "HtmlSax.h"

#include <QByteArrayView>

#include <vector>

// The parts of a web page that shape its lines, as Office reads them: blocks, line
// breaks, tables and their cells, and the text between them. Left out on the way: the
// head, scripts, style sheets, Office's XML data islands, the footnote and comment lists
// at the end of a Word page, and what Office writes only for other browsers (between
// "<![if ...]>" and "<![endif]>": list numbers Word makes itself, spare line breaks, the
// hidden row that fixes column widths). Text inside preformatted blocks keeps its spaces.
class THtmlBlocks : protected THtmlSax
{
public:
    // Deeper nesting is no page but an attack: libxml2 looks through the open elements for
    // every stray end tag, so the depth bounds the time a page may take.
    static constexpr int MaximumDepth = 512;

    enum class TElement
    {
        Inline,
        // A block that is a paragraph of its own, also when empty.
        Paragraph,
        // A block that only separates what is around and inside it.
        Block,
        Break,
        Table,
        Row,
        Cell,
    };

protected:
    // Raises EMalformedData when the page nests too deeply.
    void ParsePage(QByteArrayView Utf8);

    virtual void Start(TElement Element, TAttributes Attributes) = 0;
    virtual void End(TElement Element) = 0;
    // Text as it stands in the page; Preformatted when its white space counts.
    virtual void Text(QByteArrayView Utf8, bool Preformatted) = 0;

private:
    struct TOpen
    {
        TElement Element;
        bool Reported; // Start was called, so End will be
        bool Skipped;  // its content is left out
        bool Preformatted;
    };

    void StartElement(const char* Name, TAttributes Attributes) override;
    void EndElement(const char* Name) override;
    void Characters(QByteArrayView Text) override;

    bool Visible() const noexcept { return FSkipped == 0 && FConditional == 0; }
    void FlushLessThan();
    void VisibleText(QByteArrayView Text);

    std::vector<TOpen> FOpen;
    int FSkipped = 0;      // open elements whose content is left out
    int FConditional = 0;  // open "<![if ...]>" sections
    int FPreformatted = 0; // open preformatted blocks
    bool FLessThan = false; // a lone "<" that may begin "<![if"
    bool FAtPreStart = false;
};
