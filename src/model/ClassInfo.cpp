#include "ClassInfo.h"

#include "AsciiText.h"
#include "Persistent.h"

TClassInfo::TClassInfo(QString ClassName, QString UnitName, const TClassInfo* Parent, TFactory Factory,
                       std::vector<TPropertyInfo> OwnProperties)
    : FClassName(std::move(ClassName))
    , FUnitName(std::move(UnitName))
    , FParent(Parent)
    , FFactory(std::move(Factory))
{
    if (FParent)
        FProperties = FParent->Properties();
    FProperties.insert(FProperties.end(), std::make_move_iterator(OwnProperties.begin()),
                       std::make_move_iterator(OwnProperties.end()));
}

const TPropertyInfo* TClassInfo::FindProperty(QStringView Name) const
{
    for (const TPropertyInfo& Property : FProperties)
        if (TAsciiText::SameText(Property.Name, Name))
            return &Property;
    return nullptr;
}

bool TClassInfo::InheritsFrom(const TClassInfo& Ancestor) const
{
    for (const TClassInfo* Class = this; Class; Class = Class->FParent)
        if (Class == &Ancestor)
            return true;
    return false;
}

std::unique_ptr<TPersistent> TClassInfo::CreateInstance() const
{
    return FFactory();
}
