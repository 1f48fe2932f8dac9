#include "ImmutableSubtitleItem.h"

#include "Publish.h"
#include "RTTI.h"

const TClassInfo& TImmutableSubtitleItem::StaticClass()
{
    using T = TImmutableSubtitleItem;
    using P = TPublish<T>;
    static const TClassInfo Info(
        QStringLiteral("TImmutableSubtitleItem"), QStringLiteral("ImmutableSubtitleItem"), nullptr,
        [] { return std::make_unique<T>(); },
        {
            P::Alignment(QStringLiteral("BoxAlign"), &T::BoxAlign, &T::SetBoxAlign),
            P::Integer(QStringLiteral("BoxRelativeX"), QStringLiteral("Integer"), &T::BoxRelativeX, &T::SetBoxRelativeX),
            P::Integer(QStringLiteral("BoxRelativeY"), QStringLiteral("Integer"), &T::BoxRelativeY, &T::SetBoxRelativeY),
            P::Integer(QStringLiteral("BoxWidth"), QStringLiteral("Integer"), &T::BoxWidth, &T::SetBoxWidth),
            P::Integer(QStringLiteral("LineMaximum"), QStringLiteral("Integer"), &T::LineMaximum, &T::SetLineMaximum),
            P::Text(QStringLiteral("SubtitleDirectory"), QStringLiteral("TDirectoryName"), &T::SubtitleDirectory, &T::SetSubtitleDirectory),
            P::Text(QStringLiteral("SubtitleFileName"), QStringLiteral("TFileName"), &T::SubtitleFileName, &T::SetSubtitleFileName),
        });
    return Info;
}

QString TImmutableSubtitleItem::GetName() const
{
    const qsizetype Separator = FSubtitleFileName.lastIndexOf(QLatin1Char('/'));
    const qsizetype Dot = FSubtitleFileName.lastIndexOf(QLatin1Char('.'));
    return Dot > Separator ? FSubtitleFileName.left(Dot) : FSubtitleFileName;
}

QString TImmutableSubtitleItem::Validate(const QString& PropertyName, const QString& ValueText) const
{
    qint32 Number = 0;
    if (!TRTTI::TryParseInteger(ValueText, Number))
        Number = 0;
    if (PropertyName == QLatin1String("LineMaximum") && Number < 1)
        return QStringLiteral("The LineMaximum's value must be greater than 0.");
    return {};
}
