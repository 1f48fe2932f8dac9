#include "UnicodeTextFile.h"

#include "AtomicFile.h"

QByteArray TUnicodeTextFile::Encode(QStringView Text)
{
    QByteArray Bytes;
    Bytes.reserve(2 + 2 * (Text.size() + 1));
    Bytes.append(char(0xFF)).append(char(0xFE));
    AppendLines(Bytes, Text);
    if (!Text.isEmpty() && Text.back() != u'\r' && Text.back() != u'\n')
        Bytes.append("\r\0\n\0", 4);
    return Bytes;
}

void TUnicodeTextFile::AppendLines(QByteArray& Bytes, QStringView Text)
{
    const qsizetype Start = Bytes.size();
    const qsizetype Size = Text.size();
    // Room for the worst case, every character a lone break that grows to CR LF.
    Bytes.resize(Start + 4 * Size);
    char* Out = Bytes.data() + Start;
    const char16_t* In = Text.utf16();
    for (qsizetype i = 0; i < Size; ++i) {
        const char16_t Character = In[i];
        if (Character == u'\r' || Character == u'\n') {
            *Out++ = '\r';
            *Out++ = '\0';
            *Out++ = '\n';
            *Out++ = '\0';
            if (Character == u'\r' && i + 1 < Size && In[i + 1] == u'\n')
                ++i;
            continue;
        }
        *Out++ = char(Character & 0xFF);
        *Out++ = char(Character >> 8);
    }
    Bytes.truncate(Out - Bytes.constData());
}

void TUnicodeTextFile::Save(QStringView Text, const QString& FileName)
{
    TAtomicFile::Write(FileName, Encode(Text));
}
