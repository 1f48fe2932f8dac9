#pragma once

#include "StringNoCase.h"

#include <memory>

// Makes the keys of a string table: case-sensitive or not.
class _StringObjectFactory
{
public:
    explicit _StringObjectFactory(bool CaseSensitive) : FCaseSensitive(CaseSensitive) {}

    std::unique_ptr<TString> CreateKey(const QString& Text) const
    {
        if (FCaseSensitive)
            return std::make_unique<TString>(Text);
        return std::make_unique<TStringNoCase>(Text);
    }

private:
    bool FCaseSensitive;
};
