#include "UnicodeTextFile.h"

#include "AtomicFile.h"

#include <QtEndian>

QByteArray TUnicodeTextFile::Encode(QStringView Text)
{
    qsizetype Breaks = 0;
    for (const QChar Character : Text)
        if (Character == u'\n' || Character == u'\r')
            ++Breaks;
    QByteArray Bytes(2 + 2 * (Text.size() + Breaks + 2), Qt::Uninitialized);
    char* Out = Bytes.data();
    *Out++ = char(0xFF);
    *Out++ = char(0xFE);
    const auto Put = [&Out](char16_t Code) {
        qToLittleEndian<quint16>(Code, Out);
        Out += 2;
    };
    const qsizetype Size = Text.size();
    bool LineOpen = false;
    for (qsizetype i = 0; i < Size; ++i) {
        const char16_t Code = Text[i].unicode();
        if (Code == u'\r' || Code == u'\n') {
            if (Code == u'\r' && i + 1 < Size && Text[i + 1] == u'\n')
                ++i;
            Put(u'\r');
            Put(u'\n');
            LineOpen = false;
        } else {
            Put(Code);
            LineOpen = true;
        }
    }
    if (LineOpen) {
        Put(u'\r');
        Put(u'\n');
    }
    Bytes.truncate(Out - Bytes.constData());
    return Bytes;
}

void TUnicodeTextFile::Save(QStringView Text, const QString& FileName)
{
    TAtomicFile::Write(FileName, Encode(Text));
}
