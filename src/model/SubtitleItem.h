#pragma once

#include "ImmutableSubtitleItem.h"

#include <QString>

// The full settings of a subtitle: box and output, font, edge, frame size, and the
// subtitle text itself (the last three fields are not published).
class TSubtitleItem : public TImmutableSubtitleItem
{
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassType() const override { return StaticClass(); }

    // The generated-title record this item was read for; not owned.
    TImmutableSubtitleItem* AttachedItem() const { return FAttachedItem; }
    void SetAttachedItem(TImmutableSubtitleItem* Value) { SetField(FAttachedItem, Value, QStringLiteral("AttachedItem")); }
    QString SubtitleContent() const { return FSubtitleContent; }
    void SetSubtitleContent(const QString& Value) { SetField(FSubtitleContent, Value, QStringLiteral("SubtitleContent")); }
    qint32 SubtitleLineCount() const { return FSubtitleLineCount; }
    void SetSubtitleLineCount(qint32 Value) { SetField(FSubtitleLineCount, Value, QStringLiteral("SubtitleLineCount")); }

    TAlignment BoxAlignText() const { return FBoxAlignText; }
    void SetBoxAlignText(TAlignment Value) { SetField(FBoxAlignText, Value, QStringLiteral("BoxAlignText")); }
    TColor EdgeColor() const { return FEdgeColor; }
    void SetEdgeColor(TColor Value) { SetField(FEdgeColor, Value, QStringLiteral("EdgeColor")); }
    bool Edge() const { return FEdge; }
    void SetEdge(bool Value) { SetField(FEdge, Value, QStringLiteral("Edge")); }
    double EdgeWidthHard() const { return FEdgeWidthHard; }
    void SetEdgeWidthHard(double Value) { SetField(FEdgeWidthHard, Value, QStringLiteral("EdgeWidthHard")); }
    double EdgeWidthSoft() const { return FEdgeWidthSoft; }
    void SetEdgeWidthSoft(double Value) { SetField(FEdgeWidthSoft, Value, QStringLiteral("EdgeWidthSoft")); }
    QString FontName() const { return FFontName; }
    void SetFontName(const QString& Value) { SetField(FFontName, Value, QStringLiteral("FontName")); }
    TFontSize FontSize() const { return FFontSize; }
    void SetFontSize(TFontSize Value) { SetField(FFontSize, Value, QStringLiteral("FontSize")); }
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor Value) { SetField(FFontColor, Value, QStringLiteral("FontColor")); }
    bool FontStyleBold() const { return FFontStyleBold; }
    void SetFontStyleBold(bool Value) { SetField(FFontStyleBold, Value, QStringLiteral("FontStyleBold")); }
    bool FontStyleItalic() const { return FFontStyleItalic; }
    void SetFontStyleItalic(bool Value) { SetField(FFontStyleItalic, Value, QStringLiteral("FontStyleItalic")); }
    bool FontStyleUnderline() const { return FFontStyleUnderline; }
    void SetFontStyleUnderline(bool Value) { SetField(FFontStyleUnderline, Value, QStringLiteral("FontStyleUnderline")); }
    qint32 VideoWidth() const { return FVideoWidth; }
    void SetVideoWidth(qint32 Value) { SetField(FVideoWidth, Value, QStringLiteral("VideoWidth")); }
    qint32 VideoHeight() const { return FVideoHeight; }
    void SetVideoHeight(qint32 Value) { SetField(FVideoHeight, Value, QStringLiteral("VideoHeight")); }

    QString Validate(const QString& PropertyName, const QString& ValueText) const override;
    // "vs: %dx%d; bw: %d; xy: %d,%d; fs: %d", the settings summary of a list row.
    virtual QString ToString() const;

private:
    TImmutableSubtitleItem* FAttachedItem = nullptr;
    QString FSubtitleContent;
    qint32 FSubtitleLineCount = 0;
    TAlignment FBoxAlignText = taLeftJustify;
    TColor FEdgeColor = 0;
    bool FEdge = false;
    double FEdgeWidthHard = 0;
    double FEdgeWidthSoft = 0;
    QString FFontName;
    TFontSize FFontSize = 0;
    TColor FFontColor = 0;
    bool FFontStyleBold = false;
    bool FFontStyleItalic = false;
    bool FFontStyleUnderline = false;
    qint32 FVideoWidth = 0;
    qint32 FVideoHeight = 0;
};
