#pragma once

#include "SubtitleItem.h"

#include <QString>

#include <memory>
#include <vector>

using TImmutableSubtitleItems = std::vector<std::unique_ptr<TImmutableSubtitleItem>>;

// One source document with the subtitle settings for everything made from it, its
// opening password, its line step, and the records of the titles last generated.
class TDocumentItem : public TSubtitleItem
{
public:
    ~TDocumentItem() override;

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassType() const override { return StaticClass(); }

    const TImmutableSubtitleItems& ImmutableSubtitleItems() const { return F_ImmutableSubtitleItems; }
    // Appends a record and takes ownership; a null item is ignored.
    void AddImmutableSubtitleItem(std::unique_ptr<TImmutableSubtitleItem> Item);
    // Removes and frees the given record (used when recording it failed).
    void RemoveImmutableSubtitleItem(const TImmutableSubtitleItem* Item);
    void ClearImmutableSubtitleItems();

    QString SourceFileName() const { return FSourceFileName; }
    void SetSourceFileName(const QString& Value) { SetField(FSourceFileName, Value, QStringLiteral("SourceFileName")); }
    QString SourceFilePassword() const { return FSourceFilePassword; }
    void SetSourceFilePassword(const QString& Value) { SetField(FSourceFilePassword, Value, QStringLiteral("SourceFilePassword")); }
    qint32 SourceLineIncrement() const { return FSourceLineIncrement; }
    void SetSourceLineIncrement(qint32 Value) { SetField(FSourceLineIncrement, Value, QStringLiteral("SourceLineIncrement")); }

    // The source document's file name without its directory.
    QString GetName() const override;
    QString ToString() const override;
    QString Validate(const QString& PropertyName, const QString& ValueText) const override;

private:
    TImmutableSubtitleItems F_ImmutableSubtitleItems;
    QString FSourceFileName;
    QString FSourceFilePassword;
    qint32 FSourceLineIncrement = 0;
};
