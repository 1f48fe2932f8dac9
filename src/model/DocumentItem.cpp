#include "DocumentItem.h"

#include "Publish.h"
#include "RTTI.h"

#include <algorithm>

TDocumentItem::~TDocumentItem()
{
    ClearImmutableSubtitleItems();
}

const TClassInfo& TDocumentItem::StaticClass()
{
    using T = TDocumentItem;
    using P = TPublish<T>;
    static const TClassInfo Info(
        QStringLiteral("TDocumentItem"), QStringLiteral("DocumentItem"), &TSubtitleItem::StaticClass(),
        [] { return std::make_unique<T>(); },
        {
            P::ObjectList(QStringLiteral("_ImmutableSubtitleItems"), QStringLiteral("TImmutableSubtitleItems"), &T::F_ImmutableSubtitleItems),
            P::Text(QStringLiteral("SourceFileName"), QStringLiteral("TFileName"), &T::SourceFileName, &T::SetSourceFileName),
            P::Text(QStringLiteral("SourceFilePassword"), QStringLiteral("TPassword"), &T::SourceFilePassword, &T::SetSourceFilePassword),
            P::Integer(QStringLiteral("SourceLineIncrement"), QStringLiteral("Integer"), &T::SourceLineIncrement, &T::SetSourceLineIncrement),
        });
    return Info;
}

void TDocumentItem::AddImmutableSubtitleItem(std::unique_ptr<TImmutableSubtitleItem> Item)
{
    if (Item)
        F_ImmutableSubtitleItems.push_back(std::move(Item));
}

void TDocumentItem::RemoveImmutableSubtitleItem(const TImmutableSubtitleItem* Item)
{
    const auto Found = std::find_if(F_ImmutableSubtitleItems.begin(), F_ImmutableSubtitleItems.end(),
                                    [Item](const auto& Entry) { return Entry.get() == Item; });
    if (Found != F_ImmutableSubtitleItems.end())
        F_ImmutableSubtitleItems.erase(Found);
}

void TDocumentItem::ClearImmutableSubtitleItems()
{
    // First to last, as the records were written.
    for (std::unique_ptr<TImmutableSubtitleItem>& Record : F_ImmutableSubtitleItems)
        Record.reset();
    F_ImmutableSubtitleItems.clear();
}

QString TDocumentItem::GetName() const
{
    return FSourceFileName.mid(FSourceFileName.lastIndexOf(QLatin1Char('/')) + 1);
}

QString TDocumentItem::ToString() const
{
    return QStringLiteral("sli: %1; vs: %2x%3; bw: %4; xy: %5,%6; fs: %7")
        .arg(SourceLineIncrement())
        .arg(VideoWidth())
        .arg(VideoHeight())
        .arg(BoxWidth())
        .arg(BoxRelativeX())
        .arg(BoxRelativeY())
        .arg(FontSize());
}

QString TDocumentItem::Validate(const QString& PropertyName, const QString& ValueText) const
{
    const QString Message = TSubtitleItem::Validate(PropertyName, ValueText);
    if (!Message.isEmpty())
        return Message;
    qint32 Number = 0;
    if (!TRTTI::TryParseInteger(ValueText, Number))
        Number = 0;
    if (PropertyName == QLatin1String("SourceLineIncrement") && Number < 1)
        return QStringLiteral("A SourceLineIncrement értéke nagyobb kell legyen, mint 0.");
    return {};
}
