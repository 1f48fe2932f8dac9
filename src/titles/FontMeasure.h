#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <memory>
#include <unordered_map>

class QFont;

// Integer text metrics of one font face at one pixel size, measured the way GDI's
// text extent is: a line is as wide as the sum of its characters' rounded advance
// widths (no kerning, no ligatures, tabs and "&" are ordinary characters), and a line
// is ascent + descent high. Widths are therefore additive, which lets the wrapper
// extend a line without measuring it again.
//
// Instances live in a per-thread cache (ForCurrentThread), so a measure never crosses
// threads and needs no lock: the generation run's worker can measure while the
// interface thread paints. The cache keeps plain numbers only; the Qt font objects
// needed for an unknown character are made for that moment, so nothing of Qt outlives
// the application object. Measuring needs a QGuiApplication (the offscreen platform
// will do).
class TFontMeasure
{
public:
    // The calling thread's measure of Family at PixelSize (clamped to 1 .. 16384).
    static TFontMeasure& ForCurrentThread(const QString& Family, int PixelSize);
    // round(Points * 96 / 72): the em height in pixels at the 96 dpi that titles assume,
    // whatever the screen's resolution.
    static int PixelSizeForPoints(qint32 Points);
    // The font that measures Family: regular, upright, no underline, no kerning.
    static QFont MeasuringFont(const QString& Family, int PixelSize);

    const QString& Family() const { return FFamily; }
    int PixelSize() const { return FPixelSize; }
    int LineHeight() const { return FLineHeight; }

    // Width of a text without line breaks.
    qint64 LineWidth(QStringView Line);
    // Width of the widest line; CR LF, lone CR and lone LF break lines. LineCount gets
    // the number of lines as GDI counts them: none for empty text, and a break at the
    // very end opens no further line.
    qint64 TextWidth(QStringView Text, qint64& LineCount);

    // Calls Visit with every line of Text as TextWidth counts them.
    template <class F>
    static void ForEachLine(QStringView Text, F&& Visit)
    {
        const qsizetype Size = Text.size();
        qsizetype Start = 0;
        while (Start < Size) {
            qsizetype End = Start;
            while (End < Size && Text[End] != u'\r' && Text[End] != u'\n')
                ++End;
            Visit(Text.sliced(Start, End - Start));
            if (End < Size && Text[End] == u'\r' && End + 1 < Size && Text[End + 1] == u'\n')
                ++End;
            Start = End + 1;
        }
    }

    TFontMeasure(const QString& Family, int PixelSize);

private:
    static constexpr qint32 Unknown = -1;
    using TPage = std::array<qint32, 256>;

    qint32& Slot(char32_t CodePoint);
    qint64 SumKnown(QStringView Line, bool& Complete);
    void Learn(QStringView Line);

    QString FFamily;
    int FPixelSize;
    int FLineHeight = 0;
    std::array<std::unique_ptr<TPage>, 256> FPages;
    std::unordered_map<char32_t, qint32> FSupplementary;
};
