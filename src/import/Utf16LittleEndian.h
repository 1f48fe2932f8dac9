#pragma once

#include <QByteArray>
#include <QString>

// Passwords enter the Office key derivations as UTF-16LE bytes, whatever the host order.
class TUtf16LittleEndian
{
public:
    static QByteArray Encode(const QString& Text);
};
