#pragma once

#include "String.h"

#include "model/AsciiText.h"

// A text key that ignores the letter case of ASCII letters. It also hashes the
// upper-cased text, so that keys differing only in case land in the same bucket and a
// lookup in any case finds them (with TString's hash they would usually not).
class TStringNoCase : public TString
{
public:
    explicit TStringNoCase(QString Value) : TString(Value, Hash(TAsciiText::UpperCase(Value))) {}

    QString ClassName() const override { return QStringLiteral("TStringNoCase"); }

    int CompareTo(const TObject* Other) const override
    {
        const QString Theirs = TAsciiText::UpperCase(CheckType<TString>(Other, QStringLiteral("TString")).Value());
        return TAsciiText::UpperCase(Value()).compare(Theirs, Qt::CaseSensitive);
    }
};
