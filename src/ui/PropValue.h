#pragma once

#include "containers/Object.h"

#include <QString>

#include <utility>

// The text a property row shows while the inspector gathers the selected objects'
// values: the common value, or empty once two objects disagree.
class TPropValue : public TObject
{
public:
    explicit TPropValue(QString Text) : Value(std::move(Text)) {}

    QString ClassName() const override { return QStringLiteral("TPropValue"); }

    QString Value;
};
