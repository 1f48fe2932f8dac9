#pragma once

#include "Comparable.h"

#include <QString>
#include <QStringView>

// A text key compared by code units; its hash is h = h * 31 + c over the UTF-16 code
// units, in wrapping 32-bit arithmetic.
class TString : public TComparable
{
public:
    explicit TString(QString Value) : FValue(std::move(Value)), FHash(Hash(FValue)) {}

    QString ClassName() const override { return QStringLiteral("TString"); }
    const QString& Value() const { return FValue; }
    qint32 HashCode() const override { return FHash; }

    int CompareTo(const TObject* Other) const override
    {
        return FValue.compare(CheckType<TString>(Other, QStringLiteral("TString")).FValue, Qt::CaseSensitive);
    }

    static qint32 Hash(QStringView Text)
    {
        // Unsigned, because the sum is meant to wrap and signed overflow is undefined.
        quint32 Result = 0;
        for (const QChar Unit : Text)
            Result = Result * 31u + Unit.unicode();
        return qint32(Result);
    }

protected:
    // Lets a descendant hash by a rule that matches its own comparison.
    TString(QString Value, qint32 HashValue) : FValue(std::move(Value)), FHash(HashValue) {}

private:
    QString FValue;
    qint32 FHash;
};
