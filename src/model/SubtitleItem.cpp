#include "SubtitleItem.h"

#include "Publish.h"
#include "RTTI.h"

const TClassInfo& TSubtitleItem::StaticClass()
{
    using T = TSubtitleItem;
    using P = TPublish<T>;
    static const TClassInfo Info(
        QStringLiteral("TSubtitleItem"), QStringLiteral("SubtitleItem"), &TImmutableSubtitleItem::StaticClass(),
        [] { return std::make_unique<T>(); },
        {
            P::Alignment(QStringLiteral("BoxAlignText"), &T::BoxAlignText, &T::SetBoxAlignText),
            P::Boolean(QStringLiteral("Edge"), &T::Edge, &T::SetEdge),
            P::Integer(QStringLiteral("EdgeColor"), QStringLiteral("TColor"), &T::EdgeColor, &T::SetEdgeColor),
            P::Float(QStringLiteral("EdgeWidthHard"), QStringLiteral("Extended"), &T::EdgeWidthHard, &T::SetEdgeWidthHard),
            P::Float(QStringLiteral("EdgeWidthSoft"), QStringLiteral("Extended"), &T::EdgeWidthSoft, &T::SetEdgeWidthSoft),
            P::Text(QStringLiteral("FontName"), QStringLiteral("TFontName"), &T::FontName, &T::SetFontName),
            P::Integer(QStringLiteral("FontSize"), QStringLiteral("TFontSize"), &T::FontSize, &T::SetFontSize),
            P::Integer(QStringLiteral("FontColor"), QStringLiteral("TColor"), &T::FontColor, &T::SetFontColor),
            P::Boolean(QStringLiteral("FontStyleBold"), &T::FontStyleBold, &T::SetFontStyleBold),
            P::Boolean(QStringLiteral("FontStyleItalic"), &T::FontStyleItalic, &T::SetFontStyleItalic),
            P::Boolean(QStringLiteral("FontStyleUnderline"), &T::FontStyleUnderline, &T::SetFontStyleUnderline),
            P::Integer(QStringLiteral("VideoWidth"), QStringLiteral("Integer"), &T::VideoWidth, &T::SetVideoWidth),
            P::Integer(QStringLiteral("VideoHeight"), QStringLiteral("Integer"), &T::VideoHeight, &T::SetVideoHeight),
        });
    return Info;
}

QString TSubtitleItem::Validate(const QString& PropertyName, const QString& ValueText) const
{
    const QString Message = TImmutableSubtitleItem::Validate(PropertyName, ValueText);
    if (!Message.isEmpty())
        return Message;
    qint32 Number = 0;
    if (!TRTTI::TryParseInteger(ValueText, Number))
        Number = 0;
    if ((PropertyName == QLatin1String("BoxWidth") && Number > VideoWidth())
        || (PropertyName == QLatin1String("VideoWidth") && Number < BoxWidth()))
        return QStringLiteral("The BoxWidth property's value must be less than the VideoWidth property's value.");
    return {};
}

QString TSubtitleItem::ToString() const
{
    return QStringLiteral("vs: %1x%2; bw: %3; xy: %4,%5; fs: %6")
        .arg(VideoWidth())
        .arg(VideoHeight())
        .arg(BoxWidth())
        .arg(BoxRelativeX())
        .arg(BoxRelativeY())
        .arg(FontSize());
}
