#pragma once

#include "PropertyInfo.h"

#include <QString>
#include <QStringView>

#include <functional>
#include <memory>
#include <vector>

class TPersistent;

// What the system knows of a settings class at run time: its name, the unit its
// project-file type namespace is named after, its ancestor, a factory (creation from a
// class reference) and the published property table, ancestors' entries first.
class TClassInfo
{
public:
    using TFactory = std::function<std::unique_ptr<TPersistent>()>;

    TClassInfo(QString ClassName, QString UnitName, const TClassInfo* Parent, TFactory Factory,
               std::vector<TPropertyInfo> OwnProperties);

    const QString& ClassName() const { return FClassName; }
    const QString& UnitName() const { return FUnitName; }
    const TClassInfo* Parent() const { return FParent; }
    const std::vector<TPropertyInfo>& Properties() const { return FProperties; }

    // Looks a property up by name, ignoring ASCII letter case; nullptr when absent.
    const TPropertyInfo* FindProperty(QStringView Name) const;
    bool InheritsFrom(const TClassInfo& Ancestor) const;
    std::unique_ptr<TPersistent> CreateInstance() const;

private:
    QString FClassName;
    QString FUnitName;
    const TClassInfo* FParent;
    TFactory FFactory;
    std::vector<TPropertyInfo> FProperties;
};
