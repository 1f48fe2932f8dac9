#pragma once

#include "ObservableObject.h"
#include "PropertyAttribute.h"

#include <QString>

#include <map>
#include <memory>

// A settings object with per-property attributes read from "TypeAttributes.xml" in
// the application directory. Which types inherit entries from which is decided by
// the file's "Ancestor" attributes, not by the class tree.
class TAttributedObservableObject : public TObservableObject
{
public:
    // Fills the attribute table from the file. With Reload the file is always read
    // again and every DefaultValue is written into the object through its setter.
    void LoadAttributes(bool Reload);

    // The attribute of a property (exact, case-sensitive name), or nullptr.
    const TPropertyAttribute* GetPropertyAttribute(const QString& PropertyName);

    // The file read by every object; empty means the application directory's
    // "TypeAttributes.xml". Lets tests and tools point at another file.
    static void SetAttributeFileName(const QString& FileName);
    static QString AttributeFileName();

private:
    std::map<QString, std::unique_ptr<TPropertyAttribute>> FAttributes;
};
