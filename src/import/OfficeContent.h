#pragma once

#include <QByteArray>

// What the first bytes of an Office file say it is.
class TOfficeContent
{
public:
    enum class TKind
    {
        Zip,
        CompoundFile,
        Unknown
    };

    static TKind Sniff(const QByteArray& Content) noexcept;
};
