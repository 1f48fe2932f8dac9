#pragma once

#include "DocumentItem.h"
#include "Persistent.h"

#include <QString>

#include <memory>
#include <vector>

using TDocumentItems = std::vector<std::unique_ptr<TDocumentItem>>;

// The project: its document items in the order they were added, and the file it was
// last opened from or saved to (not stored in the file itself).
class TProject : public TPersistent
{
public:
    ~TProject() override;

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassType() const override { return StaticClass(); }

    const QString& FileName() const { return FFileName; }
    void SetFileName(const QString& Value) { FFileName = Value; }

    const TDocumentItems& DocumentItems() const { return FDocumentItems; }
    // Appends an item and takes ownership; returns it (nullptr for a null item).
    TDocumentItem* AddDocumentItem(std::unique_ptr<TDocumentItem> Item);
    // Frees the item if it belongs to this project; does nothing otherwise.
    void RemoveDocumentItem(const TDocumentItem* Item);
    void ClearDocumentItems();

private:
    QString FFileName;
    TDocumentItems FDocumentItems;
};
