#include "WordMainText.h"

#include "WordCharacterFormats.h"
#include "WordPieceTable.h"

#include <QtEndian>

#include <algorithm>

namespace
{
bool IsMark(char16_t Char) noexcept
{
    return Char == 0x07 || Char == 0x0D;
}

bool IsAscii(QByteArrayView Bytes) noexcept
{
    return std::all_of(Bytes.cbegin(), Bytes.cend(), [](char Byte) { return static_cast<quint8>(Byte) < 0x80; });
}
} // namespace

TWordMainText::TWordMainText(const TWordPieceTable& Pieces, QByteArrayView WordDocument, qint64 Length,
    const TWordCharacterFormats& Characters, bool Word6, const TCodePageOf& CodePageOf)
{
    const QList<TWordPieceTable::TRun> Runs = Pieces.Runs(WordDocument, Length);
    // 8-bit text waits for its decoding, which gives the text itself when it is the first.
    if (CodePageOf)
        FPending.reserve(Length);
    else
        FText.reserve(Length);
    for (const TWordPieceTable::TRun& Run : Runs)
    {
        const QByteArray PieceModifiers = Run.Modifier == 0 ? QByteArray() : Pieces.Modifiers(Run.Modifier);
        const qint64 Width = Run.Compressed ? 1 : 2;
        for (qint64 Done = 0; Done < Run.Count;)
        {
            // The characters of the piece that one run of the formatting covers.
            const qint64 Offset = Run.Offset + Done * Width;
            qint64 End = 0;
            const QByteArrayView Modifiers = Characters.Properties(Offset, End);
            const qint64 Span = End - Offset;
            const qint64 Count = std::clamp<qint64>(Span / Width + (Span % Width != 0), 1, Run.Count - Done);
            TWordCharacterProperties Properties;
            Properties.Apply(Modifiers, Word6);
            Properties.Apply(PieceModifiers, Word6);
            const char* Bytes = Run.Bytes + Done * Width;
            qint64 Position = Run.Start + Done;
            Done += Count;
            if (Properties.Deleted)
                continue;
            if (!Run.Compressed)
                AppendUtf16(Bytes, Count, Position);
            else if (!CodePageOf)
                AppendWestern(Bytes, Count, Position);
            else
                for (qint64 Left = Count; Left > 0;)
                {
                    qint64 Until = 0;
                    const quint16 CodePage = CodePageOf(Properties, Position, Until);
                    const qint64 Part = std::clamp<qint64>(Until - Position, 1, Left);
                    AppendEncoded(CodePage, Bytes, Part, Position);
                    Bytes += Part;
                    Position += Part;
                    Left -= Part;
                }
        }
    }
    Flush();
}

char16_t* TWordMainText::Extend(qint64 Count, qint64 Position)
{
    Flush();
    const qsizetype Start = FText.size();
    Anchor(Start, Position, true);
    FText.resize(Start + Count);
    return reinterpret_cast<char16_t*>(FText.data()) + Start;
}

void TWordMainText::AppendUtf16(const char* Bytes, qint64 Count, qint64 Position)
{
    qFromLittleEndian<quint16>(Bytes, Count, Extend(Count, Position));
}

void TWordMainText::AppendWestern(const char* Bytes, qint64 Count, qint64 Position)
{
    char16_t* Text = Extend(Count, Position);
    for (qint64 I = 0; I < Count; ++I)
        Text[I] = TWordPieceTable::Windows1252(static_cast<quint8>(Bytes[I])).unicode();
}

void TWordMainText::AppendEncoded(quint16 CodePage, const char* Bytes, qint64 Count, qint64 Position)
{
    if (CodePage != FPendingCodePage)
        Flush();
    FPendingCodePage = CodePage;
    // A run that goes on where the one before ends needs no start of its own.
    if (FPendingRuns.isEmpty() || FPendingRuns.last().second + (FPending.size() - FPendingRuns.last().first) != Position)
        FPendingRuns.append({FPending.size(), Position});
    FPending.append(Bytes, Count);
}

void TWordMainText::Flush()
{
    if (FPending.isEmpty())
        return;
    // Text in the first half of the code table reads the same in every code page.
    const QString Decoded = IsAscii(FPending) ? QString::fromLatin1(FPending) : Decoder(FPendingCodePage).Decode(FPending);
    const qsizetype Start = FText.size();
    if (Decoded.size() == FPending.size())
        for (const auto& [Offset, Position] : FPendingRuns)
            Anchor(Start + Offset, Position, true);
    else
    {
        // A character may take two bytes: of the marks, which take one byte in every code
        // page, the n-th of the text is the n-th of the bytes, unless the converter dropped one.
        Anchor(Start, -1, false);
        QList<qint64> MarkPositions;
        auto Run = FPendingRuns.cbegin();
        for (qsizetype I = 0; I < FPending.size(); ++I)
        {
            while (Run + 1 != FPendingRuns.cend() && (Run + 1)->first <= I)
                ++Run;
            if (IsMark(static_cast<quint8>(FPending[I])))
                MarkPositions.append(Run->second + (I - Run->first));
        }
        QList<qsizetype> MarkIndexes;
        for (qsizetype I = 0; I < Decoded.size(); ++I)
            if (IsMark(Decoded[I].unicode()))
                MarkIndexes.append(Start + I);
        if (MarkIndexes.size() == MarkPositions.size())
            for (qsizetype I = 0; I < MarkIndexes.size(); ++I)
                Anchor(MarkIndexes[I], MarkPositions[I], false);
    }
    if (FText.isEmpty())
        FText = Decoded;
    else
        FText += Decoded;
    FPending.clear();
    FPendingRuns.clear();
}

void TWordMainText::Anchor(qsizetype Index, qint64 Position, bool Linear)
{
    if (FAnchors.isEmpty() && Linear && Index == Position)
        return; // the text still comes from the position of its index
    if (Linear && !FAnchors.isEmpty())
    {
        const TAnchor& Last = FAnchors.last();
        if (Last.Linear && Last.Position + (Index - Last.Index) == Position)
            return;
    }
    FAnchors.append(TAnchor{Index, Position, Linear});
}

TCodePageDecoder& TWordMainText::Decoder(quint16 CodePage)
{
    auto Found = FDecoders.find(CodePage);
    if (Found == FDecoders.end())
        Found = FDecoders.emplace(CodePage, TCodePageDecoder(CodePage)).first;
    return Found->second;
}

qint64 TWordMainText::Position(qsizetype Index) const
{
    const auto Next = std::upper_bound(FAnchors.cbegin(), FAnchors.cend(), Index,
        [](qsizetype Value, const TAnchor& Anchor) { return Value < Anchor.Index; });
    if (Next == FAnchors.cbegin())
        return Index;
    const TAnchor& Anchor = *(Next - 1);
    if (Anchor.Linear)
        return Anchor.Position + (Index - Anchor.Index);
    return Anchor.Index == Index ? Anchor.Position : -1;
}
