#include "Utf16LittleEndian.h"

#include <QtEndian>

QByteArray TUtf16LittleEndian::Encode(const QString& Text)
{
    QByteArray Bytes(Text.size() * 2, Qt::Uninitialized);
    qToLittleEndian<quint16>(Text.utf16(), Text.size(), Bytes.data());
    return Bytes;
}
