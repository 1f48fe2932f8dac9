#include "Project.h"

#include "Publish.h"

#include <algorithm>

TProject::~TProject()
{
    ClearDocumentItems();
}

const TClassInfo& TProject::StaticClass()
{
    using T = TProject;
    using P = TPublish<T>;
    static const TClassInfo Info(QStringLiteral("TProject"), QStringLiteral("Project"), nullptr,
                                 [] { return std::make_unique<T>(); },
                                 {
                                     P::ObjectList(QStringLiteral("DocumentItems"), QStringLiteral("TDocumentItems"), &T::FDocumentItems),
                                 });
    return Info;
}

TDocumentItem* TProject::AddDocumentItem(std::unique_ptr<TDocumentItem> Item)
{
    if (!Item)
        return nullptr;
    FDocumentItems.push_back(std::move(Item));
    return FDocumentItems.back().get();
}

void TProject::RemoveDocumentItem(const TDocumentItem* Item)
{
    const auto Found = std::find_if(FDocumentItems.begin(), FDocumentItems.end(),
                                    [Item](const auto& Entry) { return Entry.get() == Item; });
    if (Item && Found != FDocumentItems.end())
        FDocumentItems.erase(Found);
}

void TProject::ClearDocumentItems()
{
    for (std::unique_ptr<TDocumentItem>& Item : FDocumentItems)
        Item.reset();
    FDocumentItems.clear();
}
