#include "SubtitleItemFactory.h"

#include "FontMeasure.h"
#include "TitleDocumentFile.h"
#include "TitleOutputPath.h"
#include "TitlePlacement.h"
#include "TitleSplitter.h"
#include "TitleTemplate.h"
#include "TitleValueFormat.h"
#include "UnicodeTextFile.h"

#include "model/SubtitleItem.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace
{
constexpr qint64 Int32Max = std::numeric_limits<qint32>::max();

bool HasBreak(QStringView Text)
{
    for (const QChar Character : Text)
        if (Character == u'\r' || Character == u'\n')
            return true;
    return false;
}

// The text the wrapper has built so far (R), kept as the words prepended since the last
// rebuild in front of a materialised tail, together with the width of its first line
// and the widest of its other lines. Since widths add up character by character, the
// measure of "word + R" is max(width(word) + first, rest): only the new word is
// measured. A word that holds a line break itself (or would complete a surrogate pair
// with R) changes the line structure, and then R is rebuilt and measured in full.
class TWrapBuffer
{
public:
    explicit TWrapBuffer(TFontMeasure* Measure)
        : FMeasure(Measure)
    {
    }

    bool CanExtend(QStringView Word) const
    {
        if (HasBreak(Word))
            return false;
        return Word.isEmpty() || !Word.back().isHighSurrogate() || !FrontChar().isLowSurrogate();
    }

    qint64 Width(QStringView Text) const { return FMeasure != nullptr ? FMeasure->LineWidth(Text) : 0; }

    // Width of Word immediately followed by R.
    qint64 MeasureWithWord(QStringView Word, qint64& WordWidth) const
    {
        WordWidth = Width(Word);
        return std::max(WordWidth + FFirst, FRest);
    }

    void Prepend(QStringView Word, qint64 WordWidth, bool NewLine)
    {
        FPieces.push_back({Word, NewLine, HasVisible(Word)});
        if (NewLine) {
            FRest = std::max(FRest, FFirst);
            FFirst = WordWidth;
        } else {
            FFirst = WordWidth + Width(u" ") + FFirst;
        }
    }

    qint64 MeasureWithWordInFull(QStringView Word) const
    {
        qint64 LineCount = 0;
        const QString Combined = Word.toString() + Build();
        return FMeasure != nullptr ? FMeasure->TextWidth(Combined, LineCount) : 0;
    }

    void PrependInFull(QStringView Word, bool NewLine)
    {
        FTail = Word.toString() + (NewLine ? QStringLiteral("\r\n") : QStringLiteral(" ")) + Build();
        FPieces.clear();
        qsizetype FirstEnd = 0;
        while (FirstEnd < FTail.size() && FTail[FirstEnd] != u'\r' && FTail[FirstEnd] != u'\n')
            ++FirstEnd;
        FFirst = Width(QStringView(FTail).first(FirstEnd));
        FRest = 0;
        if (FirstEnd < FTail.size() && FMeasure != nullptr) {
            qsizetype Next = FirstEnd + 1;
            if (FTail[FirstEnd] == u'\r' && Next < FTail.size() && FTail[Next] == u'\n')
                ++Next;
            qint64 LineCount = 0;
            FRest = FMeasure->TextWidth(QStringView(FTail).sliced(Next), LineCount);
        }
    }

    // The number of CR LF pairs that Build() keeps once trimmed, without building it.
    // While R is made of pieces only, its CR LF pairs are exactly the new-line
    // separators, and trimming removes a separator when no character above 32 lies on
    // one side of it.
    qint32 TrimmedLineBreaks() const
    {
        if (!FTail.isEmpty())
            return TSubtitleItemFactory::CountOccurrences(u"\r\n", TTitleOutputPath::TrimControl(Build()));
        qsizetype LastVisible = -1; // index into FPieces; the text runs from the back to the front
        for (qsizetype i = 0; i < qsizetype(FPieces.size()) && LastVisible < 0; ++i)
            if (FPieces[size_t(i)].Visible)
                LastVisible = i;
        qint32 Breaks = 0;
        bool SeenVisible = false;
        for (qsizetype i = qsizetype(FPieces.size()) - 1; i > LastVisible; --i) {
            const TPiece& Piece = FPieces[size_t(i)];
            SeenVisible = SeenVisible || Piece.Visible;
            if (Piece.NewLine && SeenVisible)
                ++Breaks;
        }
        return Breaks;
    }

    QString Build() const
    {
        qsizetype Size = FTail.size();
        for (const TPiece& Piece : FPieces)
            Size += Piece.Word.size() + (Piece.NewLine ? 2 : 1);
        QString Result;
        Result.reserve(Size);
        for (auto Piece = FPieces.rbegin(); Piece != FPieces.rend(); ++Piece) {
            Result += Piece->Word;
            Result += Piece->NewLine ? QStringView(u"\r\n") : QStringView(u" ");
        }
        Result += FTail;
        return Result;
    }

private:
    struct TPiece
    {
        QStringView Word;
        bool NewLine;
        bool Visible; // holds a character above 32, which trimming stops at
    };

    static bool HasVisible(QStringView Word)
    {
        for (const QChar Character : Word)
            if (Character.unicode() > 32)
                return true;
        return false;
    }

    QChar FrontChar() const
    {
        if (FPieces.empty())
            return FTail.isEmpty() ? QChar() : FTail.front();
        const TPiece& Front = FPieces.back();
        if (!Front.Word.isEmpty())
            return Front.Word.front();
        return Front.NewLine ? QChar(u'\r') : QChar(u' ');
    }

    TFontMeasure* FMeasure;
    std::vector<TPiece> FPieces; // the front of R is the last piece
    QString FTail;
    qint64 FFirst = 0;
    qint64 FRest = 0;
};

TFontMeasure* MeasureFor(const TSubtitleItem* Item)
{
    if (Item == nullptr)
        return nullptr;
    return &TFontMeasure::ForCurrentThread(Item->FontName(), TFontMeasure::PixelSizeForPoints(Item->FontSize()));
}

qint32 AlignmentCode(TAlignment Alignment)
{
    switch (Alignment) {
    case taRightJustify:
        return 2;
    case taCenter:
        return 1;
    case taLeftJustify:
        break;
    }
    return 0;
}

TAlignment AlignmentFromCode(qint32 Code)
{
    switch (Code) {
    case 1:
        return taCenter;
    case 2:
        return taRightJustify;
    default:
        return taLeftJustify;
    }
}

TXMLCCtsTitleObjectType TitleObject(const TXMLTitleDocumentType& Document)
{
    return Document.M_TitleObList().CCtsTextObject().CCtsTitleObject();
}

void Place(TXMLCCtsTitleObjectType& Title, const TSubtitleItem& Item, const TTextRect& Block)
{
    Title.SetElements4(TTitleValueFormat::FormatFloat(TTitlePlacement::Horizontal(Item, Block)));
    Title.SetElements5(TTitleValueFormat::FormatFloat(TTitlePlacement::Vertical(Item, Block)));
}

// The local time, to the second. Converting the clock to local time consults the time
// zone every time, which costs as much as a good part of a title; titles record whole
// seconds, so each thread converts once per second.
QDateTime CurrentLocalSecond()
{
    thread_local qint64 CachedSecond = -1;
    thread_local QDateTime Cached;
    const qint64 Second = QDateTime::currentSecsSinceEpoch();
    if (Second != CachedSecond) {
        Cached = QDateTime::fromSecsSinceEpoch(Second, Qt::LocalTime);
        CachedSecond = Second;
    }
    return Cached;
}
} // namespace

TSubtitleItemFactory::TSubtitleItemFactory(TClock Clock)
    : FClock(std::move(Clock))
{
    if (!FClock)
        FClock = CurrentLocalSecond;
}

TTextRect TSubtitleItemFactory::MeasureText(const TSubtitleItem* Item, QStringView Text) const
{
    TTextRect Rect;
    TFontMeasure* Measure = MeasureFor(Item);
    if (Measure == nullptr)
        return Rect;
    qint64 LineCount = 0;
    const qint64 Width = Measure->TextWidth(Text, LineCount);
    Rect.Right = qint32(std::min(Width, Int32Max));
    Rect.Bottom = qint32(std::min(LineCount * Measure->LineHeight(), Int32Max));
    return Rect;
}

namespace
{
// Steps 1 to 3 of wrapping: the words of Text from the last to the first, each put in
// front of the text built so far, on its first line or on a new one.
void WrapWords(TWrapBuffer& Buffer, const TSubtitleItem* Item, QStringView Text)
{
    const qint64 BoxWidth = Item != nullptr ? Item->BoxWidth() : 0;
    qsizetype End = Text.size();
    for (;;) {
        qsizetype Start = End;
        while (Start > 0 && Text[Start - 1] != u' ')
            --Start;
        const QStringView Word = Text.sliced(Start, End - Start);
        if (Buffer.CanExtend(Word)) {
            qint64 WordWidth = 0;
            const qint64 Width = std::min(Buffer.MeasureWithWord(Word, WordWidth), Int32Max);
            Buffer.Prepend(Word, WordWidth, Width > BoxWidth);
        } else {
            const qint64 Width = std::min(Buffer.MeasureWithWordInFull(Word), Int32Max);
            Buffer.PrependInFull(Word, Width > BoxWidth);
        }
        if (Start == 0)
            break;
        End = Start - 1;
    }
}
} // namespace

QString TSubtitleItemFactory::WrapText(const TSubtitleItem* Item, const QString& Text, qint32& LineBreaks) const
{
    TWrapBuffer Buffer(MeasureFor(Item));
    WrapWords(Buffer, Item, Text);
    const QString Result = TTitleOutputPath::TrimControl(Buffer.Build());
    LineBreaks = CountOccurrences(u"\r\n", Result);
    return Result;
}

qint32 TSubtitleItemFactory::WrappedLineBreaks(const TSubtitleItem* Item, const QString& Text) const
{
    TWrapBuffer Buffer(MeasureFor(Item));
    WrapWords(Buffer, Item, Text);
    return Buffer.TrimmedLineBreaks();
}

TTitleFill TSubtitleItemFactory::FillOf(const TSubtitleItem& Item) const
{
    TTitleFill Fill;
    Fill.CreateTime = TTitleValueFormat::FormatCreateTime(FClock());
    Fill.FrameSizeX = Item.VideoWidth();
    Fill.FrameSizeY = Item.VideoHeight();
    Fill.Alignment = AlignmentCode(Item.BoxAlignText());
    Fill.FontName = Item.FontName();
    Fill.FontSize = Item.FontSize();
    Fill.Bold = Item.FontStyleBold() ? 1 : 0;
    Fill.Italic = Item.FontStyleItalic() ? 1 : 0;
    Fill.Underline = Item.FontStyleUnderline() ? 1 : 0;
    Fill.FillColor = TTitleValueFormat::EncodeColor(Item.FontColor());
    Fill.EdgeEnabled = Item.Edge() ? 1 : 0;
    Fill.EdgeColor = TTitleValueFormat::EncodeColor(Item.EdgeColor());
    Fill.EdgeWidth = TTitleValueFormat::FormatFloat(Item.EdgeWidthHard());
    Fill.EdgeWidthSoft = TTitleValueFormat::FormatFloat(Item.EdgeWidthSoft());
    return Fill;
}

void TSubtitleItemFactory::FillTitle(const TXMLTitleDocumentType& Document, const TTitleFill& Fill)
{
    TXMLTitleDocumentType Root = Document;
    TXMLCCtsTitleObjectType Title = TitleObject(Root);
    Root.SetCreateTime(Fill.CreateTime);
    Root.SetFrameSizeX(Fill.FrameSizeX);
    Root.SetFrameSizeY(Fill.FrameSizeY);
    TXMLTitleFontType Font = Title.TitleFont();
    Font.SetIAlignment(Fill.Alignment);
    Title.SetM_sFontName(Fill.FontName);
    Font.SetISize(Fill.FontSize);
    Font.SetBBold(Fill.Bold);
    Font.SetBItalic(Fill.Italic);
    Font.SetBUnderline(Fill.Underline);
    Title.TitleFillColor().SetColor0(Fill.FillColor);
    TXMLTitleEdgeType Edge = Title.TitleEdge();
    Edge.SetBEnable(Fill.EdgeEnabled);
    Edge.SetColor0(Fill.EdgeColor);
    Edge.SetFWidth(Fill.EdgeWidth);
    Edge.SetFWidthSoft(Fill.EdgeWidthSoft);
}

void TSubtitleItemFactory::WriteSubtitles(TSubtitleItem& Item, const QString& TemplateFileName,
                                          const TTitleWrittenProc& OnWritten) const
{
    TTitleTemplate Template(TemplateFileName);
    WriteSubtitles(Item, Template, OnWritten);
}

void TSubtitleItemFactory::WriteSubtitles(TSubtitleItem& Item, TTitleTemplate& Template,
                                          const TTitleWrittenProc& OnWritten) const
{
    const TXMLTitleDocumentType Document = Template.Document();
    TTitleFill Fill = FillOf(Item);
    if (Template.CurrentFill() != Fill) {
        // Forgotten first: a fill that fails halfway leaves the document holding neither.
        Template.SetCurrentFill(std::nullopt);
        FillTitle(Document, Fill);
        Template.SetCurrentFill(std::move(Fill));
    }
    TXMLCCtsTitleObjectType Title = TitleObject(Document);
    const QString FileName = Item.SubtitleFileName();
    // Resolved once: later titles of the call go to the directory of the first, even
    // though the item's directory setting then already names it.
    QString Directory;
    bool DirectoryReady = false;
    TTitleSplitter Splitter(*this, Item, Item.SubtitleContent());
    QString Accepted;
    for (qint32 Part = 1; Splitter.Next(Accepted); ++Part) {
        qint32 LineBreaks = 0;
        const QString Text = WrapText(&Item, Accepted, LineBreaks);
        const TTextRect Block = MeasureText(&Item, Text);
        Title.SetM_sText(Text);
        Item.SetSubtitleContent(Text);
        Item.SetSubtitleLineCount(LineBreaks + 1);
        Place(Title, Item, Block);
        if (!DirectoryReady) {
            Directory = TTitleOutputPath::PrepareDirectory(Item.SubtitleDirectory());
            DirectoryReady = true;
        }
        const QString Path = Directory + TTitleOutputPath::PartFileName(FileName, Part);
        QString PathDirectory;
        QString PathFileName;
        TTitleOutputPath::SplitPath(Path, PathDirectory, PathFileName);
        Item.SetSubtitleDirectory(PathDirectory);
        Item.SetSubtitleFileName(PathFileName);
        SaveTitleDocument(Document, Path);
        if (OnWritten)
            OnWritten(Item);
    }
}

void TSubtitleItemFactory::RewriteSubtitle(TSubtitleItem& Item, const QString& TitleFileName) const
{
    const TXMLTitleDocumentType Document = LoadTitleDocument(TitleFileName);
    FillTitle(Document, FillOf(Item));
    TXMLCCtsTitleObjectType Title = TitleObject(Document);
    qint32 LineBreaks = 0;
    const QString Text = WrapText(&Item, Item.SubtitleContent(), LineBreaks);
    const TTextRect Block = MeasureText(&Item, Text);
    Item.SetSubtitleContent(Text);
    Item.SetSubtitleLineCount(LineBreaks + 1);
    Place(Title, Item, Block);
    Title.SetM_sText(Text);
    const QString Path = TTitleOutputPath::PrepareDirectory(Item.SubtitleDirectory())
                       + TTitleOutputPath::ChangeFileExt(Item.SubtitleFileName(), QStringLiteral(".etl"));
    SaveTitleDocument(Document, Path);
}

std::unique_ptr<TSubtitleItem> TSubtitleItemFactory::ReadSubtitle(const QString& TitleFileName) const
{
    auto Item = std::make_unique<TSubtitleItem>();
    const TXMLTitleDocumentType Document = LoadTitleDocument(TitleFileName);
    const TXMLCCtsTitleObjectType Title = TitleObject(Document);
    QString Text = Title.M_sText();
    Text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    Item->SetSubtitleContent(Text);
    Item->SetSubtitleLineCount(CountOccurrences(u"\r\n", Text) + 1);
    Item->SetBoxAlignText(AlignmentFromCode(Title.TitleFont().IAlignment()));
    Item->SetEdge(Title.TitleEdge().BEnable() == 1);
    Item->SetEdgeColor(TTitleValueFormat::DecodeColor(Title.TitleEdge().Color0()));
    Item->SetEdgeWidthHard(TTitleValueFormat::ParseFloat(Title.TitleEdge().FWidth()));
    Item->SetEdgeWidthSoft(TTitleValueFormat::ParseFloat(Title.TitleEdge().FWidthSoft()));
    Item->SetFontName(Title.M_sFontName());
    Item->SetFontSize(Title.TitleFont().ISize());
    Item->SetFontColor(TTitleValueFormat::DecodeColor(Title.TitleFillColor().Color0()));
    Item->SetFontStyleBold(Title.TitleFont().BBold() == 1);
    Item->SetFontStyleItalic(Title.TitleFont().BItalic() == 1);
    Item->SetFontStyleUnderline(Title.TitleFont().BUnderline() == 1);
    Item->SetVideoWidth(Document.FrameSizeX());
    Item->SetVideoHeight(Document.FrameSizeY());
    return Item;
}

qint32 TSubtitleItemFactory::CountOccurrences(QStringView Part, QStringView Text)
{
    if (Part.isEmpty())
        return 0;
    qint32 Count = 0;
    qsizetype From = 0;
    for (;;) {
        const qsizetype Found = Text.indexOf(Part, From);
        if (Found < 0)
            return Count;
        ++Count;
        From = Found + Part.size();
    }
}

QString TSubtitleItemFactory::CopyToBlank(const QString& Text, qint32 Offset, qint32 Count, qint32& Position)
{
    Position = 0;
    qsizetype From = std::max<qint32>(Offset, 1) - 1;
    qint32 Remaining = std::max<qint32>(Count, 1);
    while (From < Text.size()) {
        const qsizetype Blank = Text.indexOf(QLatin1Char(' '), From);
        if (Blank < 0)
            break;
        if (--Remaining == 0) {
            Position = qint32(Blank + 1);
            return Text.left(Blank + 1);
        }
        From = Blank + 1;
    }
    return Text;
}

void TSubtitleItemFactory::SaveUnicodeText(QStringView Text, const QString& FileName)
{
    TUnicodeTextFile::Save(Text, FileName);
}
