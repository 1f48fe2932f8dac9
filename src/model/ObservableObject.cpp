#include "ObservableObject.h"

#include "InvalidOperation.h"
#include "RTTI.h"

TObservableObject::TObservableObject()
    : FLifetime(std::make_shared<int>(0))
{
}

TObservableObject::~TObservableObject() = default;

void TObservableObject::Changed(const QString& PropertyName)
{
    if (FOnChanged)
        FOnChanged(*this, PropertyName);
}

QString TObservableObject::GetName() const
{
    return ClassName();
}

void TObservableObject::AssignTo(TPersistent* AObject) const
{
    if (!AObject)
        throw EInvalidOp(QStringLiteral("The parameter 'AObject' is null."));
    for (const TPropertyInfo& Target : AObject->ClassType().Properties()) {
        if (Target.Kind == TPropertyKind::ObjectList)
            continue;
        const TPropertyInfo* Source = ClassType().FindProperty(Target.Name);
        if (!Source || Source->Kind == TPropertyKind::ObjectList)
            continue;
        if (Source->Kind == Target.Kind && Source->EnumIdentifiers == Target.EnumIdentifiers)
            Target.Write(*AObject, Source->Read(*this));
        else
            TRTTI::SetPropertyValue(AObject, Target.Name, Source->ReadText(*this));
    }
}
