#include "DelimitedTextParser.h"

#include "TextFileDecoder.h"
#include "XlsxParser.h"

#include <array>

namespace
{
constexpr std::array<char16_t, 3> Candidates{u'\t', u';', u','};
// Records looked at to tell the separator.
constexpr int SampleRecords = 20;

bool IsBreak(QChar C) noexcept
{
    return C == u'\r' || C == u'\n';
}

// Reads one record at a time, as Excel splits them.
class TRecordReader
{
public:
    TRecordReader(QStringView Text, char16_t Separator) noexcept : FText(Text), FSeparator(Separator) {}

    bool AtEnd() const noexcept { return FPosition >= FText.size(); }

    // The first field of the next record; Fields counts its fields when given.
    QString Next(int* Fields = nullptr)
    {
        QString First;
        int Count = 1;
        bool InFirst = true;
        while (FPosition < FText.size())
        {
            const QChar C = FText[FPosition];
            if (IsBreak(C))
            {
                ++FPosition;
                if (C == u'\r' && FPosition < FText.size() && FText[FPosition] == u'\n')
                    ++FPosition;
                break;
            }
            if (C == FSeparator)
            {
                ++FPosition;
                ++Count;
                InFirst = false;
                continue;
            }
            const qsizetype Start = FPosition;
            if (C == u'"' && AtFieldStart())
                ReadQuoted(InFirst ? &First : nullptr);
            else
            {
                while (FPosition < FText.size() && FText[FPosition] != FSeparator && !IsBreak(FText[FPosition]))
                    ++FPosition;
                if (InFirst)
                    First += FText.sliced(Start, FPosition - Start);
            }
        }
        if (Fields)
            *Fields = Count;
        return First;
    }

private:
    bool AtFieldStart() const noexcept
    {
        return FPosition == 0 || FText[FPosition - 1] == FSeparator || IsBreak(FText[FPosition - 1]);
    }

    // From the opening quote to the closing one; text after it up to the separator is
    // part of the field.
    void ReadQuoted(QString* Field)
    {
        ++FPosition;
        while (FPosition < FText.size())
        {
            const qsizetype Quote = FText.indexOf(u'"', FPosition);
            const qsizetype End = Quote < 0 ? FText.size() : Quote;
            if (Field)
                *Field += FText.sliced(FPosition, End - FPosition);
            FPosition = End + 1;
            if (Quote < 0)
                return;
            if (FPosition < FText.size() && FText[FPosition] == u'"')
            {
                if (Field)
                    *Field += u'"';
                ++FPosition;
                continue;
            }
            break;
        }
        const qsizetype Start = std::min(FPosition, FText.size());
        while (FPosition < FText.size() && FText[FPosition] != FSeparator && !IsBreak(FText[FPosition]))
            ++FPosition;
        if (Field)
            *Field += FText.sliced(Start, std::min(FPosition, FText.size()) - Start);
        FPosition = std::min(FPosition, FText.size());
    }

    QStringView FText;
    char16_t FSeparator;
    qsizetype FPosition = 0;
};

// "sep=;" on the first line, Excel's own way to name the separator.
bool SeparatorLine(QStringView Text, char16_t& Separator, qsizetype& Length)
{
    if (Text.size() < 5 || !Text.startsWith(u"sep=", Qt::CaseInsensitive))
        return false;
    qsizetype End = 5;
    if (End < Text.size() && !IsBreak(Text[End]))
        return false;
    Separator = Text[4].unicode();
    if (End < Text.size() && Text[End] == u'\r')
        ++End;
    if (End < Text.size() && Text[End] == u'\n')
        ++End;
    Length = End;
    return true;
}
} // namespace

char16_t TDelimitedTextParser::Separator(QStringView Text)
{
    char16_t Named;
    qsizetype Length;
    if (SeparatorLine(Text, Named, Length))
        return Named;
    char16_t Best = Candidates.front();
    int BestScore = 0;
    for (const char16_t Candidate : Candidates)
    {
        // How many of the first records have the most common number of fields, when
        // that number is more than one.
        TRecordReader Records(Text, Candidate);
        std::array<int, SampleRecords> Counts{};
        int Sampled = 0;
        while (Sampled < SampleRecords && !Records.AtEnd())
            Records.Next(&Counts[size_t(Sampled++)]);
        int Score = 0;
        for (int I = 0; I < Sampled; ++I)
        {
            if (Counts[size_t(I)] < 2)
                continue;
            const int Same = int(std::count(Counts.begin(), Counts.begin() + Sampled, Counts[size_t(I)]));
            Score = std::max(Score, Same);
        }
        if (Score > BestScore)
        {
            Best = Candidate;
            BestScore = Score;
        }
    }
    return Best;
}

QStringList TDelimitedTextParser::FirstColumn(QStringView Text)
{
    const qsizetype Nul = Text.indexOf(QChar(u'\0'));
    if (Nul >= 0)
        Text = Text.first(Nul);
    const char16_t Separator = TDelimitedTextParser::Separator(Text);
    char16_t Named;
    qsizetype Length;
    if (SeparatorLine(Text, Named, Length))
        Text = Text.sliced(Length);

    QStringList Lines;
    TRecordReader Records(Text, Separator);
    while (!Records.AtEnd() && Lines.size() < TXlsxParser::MaximumRow)
        Lines.append(Records.Next());
    return Lines;
}

QStringList TDelimitedTextParser::Parse(const QByteArray& Content, const QString& FileName, const QByteArray& LegacyCodec)
{
    return FirstColumn(TTextFileDecoder(LegacyCodec).Decode(Content, FileName));
}
