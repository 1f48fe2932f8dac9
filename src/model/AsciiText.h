#pragma once

#include <QString>
#include <QStringView>

// Letter-case rules that touch only the ASCII letters, as names in files and tables use.
class TAsciiText
{
public:
    static QChar Upper(QChar Character)
    {
        const char16_t Code = Character.unicode();
        return (Code >= u'a' && Code <= u'z') ? QChar(char16_t(Code - 32)) : Character;
    }

    static QString UpperCase(QStringView Text)
    {
        QString Result(Text.size(), Qt::Uninitialized);
        for (qsizetype i = 0; i < Text.size(); ++i)
            Result[i] = Upper(Text[i]);
        return Result;
    }

    static bool SameText(QStringView A, QStringView B)
    {
        if (A.size() != B.size())
            return false;
        for (qsizetype i = 0; i < A.size(); ++i)
            if (Upper(A[i]) != Upper(B[i]))
                return false;
        return true;
    }
};
