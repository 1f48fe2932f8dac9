#pragma once

#include "String.h"

#include "model/AsciiText.h"

// A text key that ignores the case of ASCII letters. It hashes the upper-cased text as
// well: with TString's hash, keys that differ only in case would usually land in
// different buckets, and a lookup in another case would miss a key that compares equal.
class TStringNoCase : public TString
{
public:
    explicit TStringNoCase(QString Value) : TString(Value, FoldedHash(Value)) {}

    QString ClassName() const override { return QStringLiteral("TStringNoCase"); }

    int CompareTo(const TObject* Other) const override
    {
        const QString& Theirs = CheckType<TString>(Other, QStringLiteral("TString")).Value();
        const QString& Mine = Value();
        const qsizetype Common = qMin(Mine.size(), Theirs.size());
        for (qsizetype i = 0; i < Common; ++i) {
            const char16_t A = TAsciiText::Upper(Mine[i]).unicode();
            const char16_t B = TAsciiText::Upper(Theirs[i]).unicode();
            if (A != B)
                return A < B ? -1 : 1;
        }
        return Mine.size() == Theirs.size() ? 0 : (Mine.size() < Theirs.size() ? -1 : 1);
    }

    // TString's hash of the text with its ASCII letters upper-cased.
    static qint32 FoldedHash(QStringView Text)
    {
        quint32 Result = 0;
        for (const QChar Unit : Text)
            Result = Result * 31u + TAsciiText::Upper(Unit).unicode();
        return qint32(Result);
    }
};
