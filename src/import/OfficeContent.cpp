#include "OfficeContent.h"

TOfficeContent::TKind TOfficeContent::Sniff(const QByteArray& Content) noexcept
{
    // A local file header, or the end record of an empty archive.
    if (Content.startsWith(QByteArrayView("PK\x03\x04", 4)) || Content.startsWith(QByteArrayView("PK\x05\x06", 4)))
        return TKind::Zip;
    if (Content.startsWith(QByteArrayView("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)))
        return TKind::CompoundFile;
    return TKind::Unknown;
}
