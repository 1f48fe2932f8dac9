#include "FontMeasure.h"

#include <QFont>
#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <functional>

namespace
{
struct TFontKey
{
    QString Family;
    int PixelSize;

    bool operator==(const TFontKey&) const = default;
};

struct TFontKeyHash
{
    size_t operator()(const TFontKey& Key) const noexcept { return qHash(Key.Family, size_t(Key.PixelSize)); }
};

// Per thread; holds numbers only, so tearing it down after the application object is
// gone (the main thread's copy) is safe.
struct TThreadFonts
{
    std::unordered_map<TFontKey, std::unique_ptr<TFontMeasure>, TFontKeyHash> Fonts;
    TFontMeasure* Last = nullptr;
};

thread_local TThreadFonts ThreadFonts;

} // namespace

QFont TFontMeasure::MeasuringFont(const QString& Family, int PixelSize)
{
    QFont Font(Family);
    Font.setPixelSize(PixelSize);
    Font.setWeight(QFont::Normal);
    Font.setItalic(false);
    Font.setUnderline(false);
    Font.setKerning(false);
    return Font;
}

int TFontMeasure::PixelSizeForPoints(qint32 Points)
{
    const double Pixels = std::round(double(Points) * 96.0 / 72.0);
    return int(std::clamp(Pixels, 1.0, 16384.0));
}

TFontMeasure& TFontMeasure::ForCurrentThread(const QString& Family, int PixelSize)
{
    PixelSize = std::clamp(PixelSize, 1, 16384);
    TThreadFonts& Cache = ThreadFonts;
    if (Cache.Last != nullptr && Cache.Last->PixelSize() == PixelSize && Cache.Last->Family() == Family)
        return *Cache.Last;
    auto& Entry = Cache.Fonts[TFontKey{Family, PixelSize}];
    if (!Entry)
        Entry = std::make_unique<TFontMeasure>(Family, PixelSize);
    Cache.Last = Entry.get();
    return *Entry;
}

TFontMeasure::TFontMeasure(const QString& Family, int PixelSize)
    : FFamily(Family)
    , FPixelSize(PixelSize)
{
    const QFontMetrics Metrics(MeasuringFont(FFamily, FPixelSize));
    FLineHeight = Metrics.ascent() + Metrics.descent();
}

qint32& TFontMeasure::Slot(char32_t CodePoint)
{
    if (CodePoint > 0xFFFF) {
        const auto Found = FSupplementary.try_emplace(CodePoint, Unknown);
        return Found.first->second;
    }
    std::unique_ptr<TPage>& Page = FPages[CodePoint >> 8];
    if (!Page) {
        Page = std::make_unique<TPage>();
        Page->fill(Unknown);
    }
    return (*Page)[CodePoint & 0xFF];
}

qint64 TFontMeasure::SumKnown(QStringView Line, bool& Complete)
{
    qint64 Width = 0;
    Complete = true;
    const qsizetype Size = Line.size();
    for (qsizetype i = 0; i < Size; ++i) {
        const QChar Character = Line[i];
        char32_t CodePoint = Character.unicode();
        if (Character.isHighSurrogate() && i + 1 < Size && Line[i + 1].isLowSurrogate())
            CodePoint = QChar::surrogateToUcs4(Character, Line[++i]);
        qint32 Advance;
        if (CodePoint <= 0xFFFF) {
            const TPage* Page = FPages[CodePoint >> 8].get();
            Advance = Page != nullptr ? (*Page)[CodePoint & 0xFF] : Unknown;
        } else {
            const auto Found = FSupplementary.find(CodePoint);
            Advance = Found != FSupplementary.end() ? Found->second : Unknown;
        }
        if (Advance == Unknown)
            Complete = false;
        else
            Width += Advance;
    }
    return Width;
}

void TFontMeasure::Learn(QStringView Line)
{
    const QFontMetrics Metrics(MeasuringFont(FFamily, FPixelSize));
    const qsizetype Size = Line.size();
    for (qsizetype i = 0; i < Size; ++i) {
        const QChar Character = Line[i];
        if (Character.isHighSurrogate() && i + 1 < Size && Line[i + 1].isLowSurrogate()) {
            qint32& Advance = Slot(QChar::surrogateToUcs4(Character, Line[i + 1]));
            if (Advance == Unknown)
                Advance = std::max(0, Metrics.horizontalAdvance(Line.mid(i, 2).toString()));
            ++i;
            continue;
        }
        qint32& Advance = Slot(Character.unicode());
        if (Advance == Unknown)
            Advance = std::max(0, Metrics.horizontalAdvance(Character));
    }
}

qint64 TFontMeasure::LineWidth(QStringView Line)
{
    bool Complete = false;
    const qint64 Width = SumKnown(Line, Complete);
    if (Complete)
        return Width;
    Learn(Line);
    return SumKnown(Line, Complete);
}

qint64 TFontMeasure::TextWidth(QStringView Text, qint64& LineCount)
{
    qint64 Widest = 0;
    LineCount = 0;
    ForEachLine(Text, [&](QStringView Line) {
        Widest = std::max(Widest, LineWidth(Line));
        ++LineCount;
    });
    return Widest;
}
