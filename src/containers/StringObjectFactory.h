#pragma once

#include "StringNoCase.h"

#include <memory>

// Makes the keys of a string table: case-sensitive or not.
class _StringObjectFactory : public TObject
{
public:
    explicit _StringObjectFactory(bool CaseSensitive) : FCaseSensitive(CaseSensitive) {}

    QString ClassName() const override { return QStringLiteral("_StringObjectFactory"); }
    bool CaseSensitive() const { return FCaseSensitive; }

    std::unique_ptr<TString> CreateKey(const QString& Text) const
    {
        if (FCaseSensitive)
            return std::make_unique<TString>(Text);
        return std::make_unique<TStringNoCase>(Text);
    }

private:
    bool FCaseSensitive;
};
