#include "WordStyleSheet.h"

#include "WordCharacterProperties.h"

#include <QtEndian>

namespace
{
constexpr quint16 ParagraphStyle = 1;
constexpr quint16 CharacterStyle = 2;
constexpr qsizetype Word6BaseSize = 8;
constexpr qsizetype DefaultFontOffset = 12; // in the sheet's header, after six counts and flags

quint16 UInt16(QByteArrayView Bytes, qsizetype Offset)
{
    return qFromLittleEndian<quint16>(Bytes.data() + Offset);
}

qsizetype Even(qsizetype Offset)
{
    return (Offset + 1) & ~qsizetype(1);
}
} // namespace

TWordStyleSheet::TWordStyleSheet(QByteArrayView Stsh)
{
    if (Stsh.size() < 2)
        return;
    // The header, led by its size; then each style, led by its size (0 for an empty slot).
    const qsizetype HeaderSize = UInt16(Stsh, 0);
    if (HeaderSize < 4 || HeaderSize > Stsh.size() - 2)
        return;
    const QByteArrayView Header = Stsh.sliced(2, HeaderSize);
    const quint16 Count = UInt16(Header, 0);
    const qsizetype BaseSize = UInt16(Header, 2);
    if (Header.size() >= DefaultFontOffset + 2)
        FDefaultFont = UInt16(Header, DefaultFontOffset);
    qsizetype Position = 2 + HeaderSize;
    for (quint16 I = 0; I < Count && Position + 2 <= Stsh.size(); ++I)
    {
        const qsizetype Size = UInt16(Stsh, Position);
        Position += 2;
        if (Size > Stsh.size() - Position)
            break;
        FStyles.append(Read(Stsh.sliced(Position, Size), BaseSize));
        Position += Size;
    }
    ResolveBases();
}

TWordStyleSheet::TStyle TWordStyleSheet::Read(QByteArrayView Std, qsizetype BaseSize)
{
    TStyle Style;
    if (BaseSize < Word6BaseSize || Std.size() < BaseSize + 1)
        return Style;
    const quint16 Kind = UInt16(Std, 2) & 0x000F;
    Style.Paragraph = Kind == ParagraphStyle;
    Style.Base = UInt16(Std, 2) >> 4;
    const qsizetype Parts = UInt16(Std, 4) & 0x000F;
    // The name (a length byte, the characters and a terminating zero), then the property
    // lists, each led by its size and starting at an even offset: a paragraph style's
    // paragraph properties before its character properties, a character style's
    // character properties alone.
    qsizetype Position = Even(BaseSize + 1 + static_cast<quint8>(Std[BaseSize]) + 1);
    const qsizetype CharacterPart = Kind == ParagraphStyle ? 1 : Kind == CharacterStyle ? 0 : -1;
    for (qsizetype Part = 0; Part < Parts && Position + 2 <= Std.size(); ++Part)
    {
        const qsizetype Size = UInt16(Std, Position);
        Position += 2;
        if (Size > Std.size() - Position)
            break;
        if (Part == CharacterPart)
        {
            TWordCharacterProperties Properties;
            Properties.Apply(Std.sliced(Position, Size), true);
            Style.Font = Properties.Font;
        }
        Position = Even(Position + Size);
    }
    return Style;
}

void TWordStyleSheet::ResolveBases()
{
    // Each chain of bases is walked once: every style on it takes the font found at its end.
    constexpr qint32 Unresolved = -2;
    constexpr qint32 Visiting = -3;
    QList<qint32> Fonts(FStyles.size(), Unresolved);
    QList<qsizetype> Chain;
    for (qsizetype First = 0; First < FStyles.size(); ++First)
    {
        qint32 Font = None;
        for (qsizetype Istd = First; Istd < FStyles.size();)
        {
            if (Fonts[Istd] >= None || Fonts[Istd] == Visiting) // known, or a loop of bases
            {
                Font = Fonts[Istd] == Visiting ? None : Fonts[Istd];
                break;
            }
            if (FStyles[Istd].Font != None)
            {
                Font = FStyles[Istd].Font;
                break;
            }
            Fonts[Istd] = Visiting;
            Chain.append(Istd);
            Istd = FStyles[Istd].Base;
        }
        for (const qsizetype Istd : Chain)
            Fonts[Istd] = Font;
        Chain.clear();
        if (Fonts[First] == Unresolved)
            Fonts[First] = Font;
    }
    for (qsizetype Istd = 0; Istd < FStyles.size(); ++Istd)
        FStyles[Istd].Font = Fonts[Istd];
}

bool TWordStyleSheet::IsParagraphStyle(qsizetype Istd) const
{
    return Istd >= 0 && Istd < FStyles.size() && FStyles[Istd].Paragraph;
}

qint32 TWordStyleSheet::Font(qint32 Istd) const
{
    return Istd >= 0 && Istd < FStyles.size() ? FStyles[Istd].Font : None;
}
