#include "TitleImage.h"

#include "TitleDocumentFile.h"
#include "UnicodeTextFile.h"

#include <algorithm>
#include <numeric>
#include <string>

namespace
{
// Puts a mark of its own in place of the text of each element, and the texts back on
// every path out.
class TMarks
{
public:
    explicit TMarks(const std::vector<TXMLTitleNode>& Elements)
    {
        for (const TXMLTitleNode& Element : Elements) {
            pugi::xml_node Text = Element.DOMNode().first_child();
            if (!Text || Text.type() != pugi::node_pcdata || Text.next_sibling())
                return;
            FTexts.push_back(Text);
            FSaved.emplace_back(Text.value());
            // U+FDD0 is a noncharacter, which texts hardly ever hold, and the XML layer
            // writes it as it stands. A document that holds a mark all the same is not
            // cut (see Cut).
            const std::string Mark = "\xEF\xB7\x90" + std::to_string(FTexts.size()) + "\xEF\xB7\x90";
            Text.set_value(Mark.c_str());
        }
        FComplete = true;
    }

    ~TMarks()
    {
        // Backwards, so that an element named twice gets its own text back.
        for (std::size_t i = FTexts.size(); i-- > 0;)
            FTexts[i].set_value(FSaved[i].c_str());
    }

    TMarks(const TMarks&) = delete;
    TMarks& operator=(const TMarks&) = delete;

    bool Complete() const { return FComplete; }

private:
    std::vector<pugi::xml_node> FTexts;
    std::vector<std::string> FSaved;
    bool FComplete = false;
};

// Appends Element as it stands in the file; Scratch is room the caller may reuse.
void AppendElement(QByteArray& Bytes, const TXMLTitleNode& Element, QByteArray& Scratch)
{
    Scratch.resize(0); // keeps its room for the next element
    Element.AppendXML(Scratch);
    TUnicodeTextFile::AppendLines(
        Bytes, QStringView(reinterpret_cast<const char16_t*>(Scratch.constData()), Scratch.size() / 2));
}
} // namespace

TTitleImage::TTitleImage(const TXMLTitleDocumentType& Document, std::vector<TXMLTitleNode> Changing)
    : FDocument(Document)
    , FChanging(std::move(Changing))
{
    Cut();
}

void TTitleImage::Cut()
{
    const TMarks Marks(FChanging);
    if (!Marks.Complete())
        return;
    const QByteArray Whole = TitleDocumentBytes(FDocument);
    std::vector<qsizetype> Starts;
    std::vector<qsizetype> Sizes;
    QByteArray Scratch;
    for (const TXMLTitleNode& Element : FChanging) {
        QByteArray Marked;
        AppendElement(Marked, Element, Scratch);
        const qsizetype Start = Whole.indexOf(Marked);
        // An odd start would cut a character in two.
        if (Start < 0 || Start % 2 != 0 || Whole.indexOf(Marked, Start + 1) >= 0)
            return;
        Starts.push_back(Start);
        Sizes.push_back(Marked.size());
    }
    std::vector<std::size_t> Order(FChanging.size());
    std::iota(Order.begin(), Order.end(), std::size_t(0));
    std::sort(Order.begin(), Order.end(), [&](std::size_t A, std::size_t B) { return Starts[A] < Starts[B]; });

    std::vector<QByteArray> Pieces;
    std::vector<TXMLTitleNode> Changing;
    qsizetype From = 0;
    for (const std::size_t Index : Order) {
        if (Starts[Index] < From)
            return; // one element inside another
        Pieces.push_back(Whole.mid(From, Starts[Index] - From));
        Changing.push_back(FChanging[Index]);
        From = Starts[Index] + Sizes[Index];
    }
    Pieces.push_back(Whole.mid(From));
    FPieces = std::move(Pieces);
    FChanging = std::move(Changing);
}

QByteArray TTitleImage::Bytes() const
{
    if (!IsCut())
        return TitleDocumentBytes(FDocument);
    qsizetype Size = 0;
    for (const QByteArray& Piece : FPieces)
        Size += Piece.size();
    QByteArray Bytes;
    Bytes.reserve(Size + 1024);
    Bytes += FPieces.front();
    QByteArray Scratch;
    for (std::size_t i = 0; i < FChanging.size(); ++i) {
        AppendElement(Bytes, FChanging[i], Scratch);
        Bytes += FPieces[i + 1];
    }
    return Bytes;
}
