#include "WordParagraphs.h"

namespace
{
constexpr char16_t CellMark = 0x07;
constexpr char16_t Tab = 0x09;
constexpr char16_t LineBreak = 0x0B;
constexpr char16_t PageBreak = 0x0C;
constexpr char16_t ParagraphMark = 0x0D;
constexpr char16_t ColumnBreak = 0x0E;
constexpr char16_t FieldBegin = 0x13;
constexpr char16_t FieldSeparator = 0x14;
constexpr char16_t FieldEnd = 0x15;
constexpr char16_t NonBreakingHyphen = 0x1E;

class TSplitter
{
public:
    explicit TSplitter(const TWordParagraphs::TRowEndTest& IsRowEnd)
        : FIsRowEnd(IsRowEnd)
    {
    }

    void EndParagraph(qint64 MarkPosition, bool MayEndRow)
    {
        if (!(FLine.isEmpty() && MayEndRow && FIsRowEnd && FIsRowEnd(MarkPosition)))
            FLines.append(FLine);
        FLine.clear();
        FOpen = false;
    }

    void Field(char16_t Char)
    {
        FOpen = true;
        if (Char == FieldBegin)
        {
            FFields.append(true);
            ++FInstructions;
        }
        else if (!FFields.isEmpty() && Char == FieldSeparator)
        {
            if (FFields.last())
                --FInstructions;
            FFields.last() = false;
        }
        else if (!FFields.isEmpty() && Char == FieldEnd)
        {
            if (FFields.last())
                --FInstructions;
            FFields.removeLast();
        }
    }

    void Character(QChar Char)
    {
        FOpen = true;
        if (FInstructions > 0)
            return;
        const char16_t Code = Char.unicode();
        if (Code == Tab)
            FLine += Char;
        else if (Code == LineBreak)
            FLine += u' ';
        else if (Code == NonBreakingHyphen)
            FLine += u'-';
        else if (Code >= 0x20)
            FLine += Char;
    }

    QStringList Finish()
    {
        if (FOpen)
            FLines.append(FLine);
        return std::move(FLines);
    }

private:
    const TWordParagraphs::TRowEndTest& FIsRowEnd;
    QStringList FLines;
    QString FLine;
    bool FOpen = false; // characters after the last mark
    QList<bool> FFields; // per open field: still in its instruction
    qsizetype FInstructions = 0;
};
} // namespace

QStringList TWordParagraphs::Split(const QString& Text, const TRowEndTest& IsRowEnd)
{
    TSplitter Splitter(IsRowEnd);
    for (qsizetype I = 0; I < Text.size(); ++I)
    {
        const char16_t Char = Text[I].unicode();
        switch (Char)
        {
        case ParagraphMark:
        case CellMark:
            Splitter.EndParagraph(I, true);
            break;
        case PageBreak:
        case ColumnBreak:
            if (I + 1 < Text.size() && Text[I + 1] == QChar(ParagraphMark))
                ++I;
            Splitter.EndParagraph(I, false);
            break;
        case FieldBegin:
        case FieldSeparator:
        case FieldEnd:
            Splitter.Field(Char);
            break;
        default:
            Splitter.Character(Text[I]);
            break;
        }
    }
    return Splitter.Finish();
}
