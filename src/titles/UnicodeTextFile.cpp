#include "UnicodeTextFile.h"

#include "AtomicFile.h"

#include <QSysInfo>
#include <QtEndian>

#include <cstring>

QByteArray TUnicodeTextFile::Encode(QStringView Text)
{
    // Runs between line breaks are copied whole; the breaks are found with Qt's
    // vectorised search, since a title is a few thousand characters with few breaks.
    const qsizetype Size = Text.size();
    qsizetype NextCr = Text.indexOf(u'\r');
    qsizetype NextLf = Text.indexOf(u'\n');
    // Room for the worst case, every character a lone break that grows to CR LF.
    QByteArray Bytes(2 + 4 * (Size + 1), Qt::Uninitialized);
    char* Out = Bytes.data();
    *Out++ = char(0xFF);
    *Out++ = char(0xFE);
    const auto PutRun = [&Out, Text](qsizetype From, qsizetype To) {
        if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
            std::memcpy(Out, Text.data() + From, size_t(To - From) * 2);
            Out += (To - From) * 2;
        } else {
            for (qsizetype i = From; i < To; ++i, Out += 2)
                qToLittleEndian<quint16>(Text[i].unicode(), Out);
        }
    };
    const auto PutBreak = [&Out] {
        std::memcpy(Out, "\r\0\n\0", 4);
        Out += 4;
    };
    qsizetype Position = 0;
    while (Position < Size) {
        if (NextCr >= 0 && NextCr < Position)
            NextCr = Text.indexOf(u'\r', Position);
        if (NextLf >= 0 && NextLf < Position)
            NextLf = Text.indexOf(u'\n', Position);
        qsizetype Break = Size;
        if (NextCr >= 0)
            Break = NextCr;
        if (NextLf >= 0 && NextLf < Break)
            Break = NextLf;
        PutRun(Position, Break);
        if (Break == Size) {
            PutBreak(); // the last line is ended too
            break;
        }
        PutBreak();
        Position = Break + 1;
        if (Text[Break] == u'\r' && Position < Size && Text[Position] == u'\n')
            ++Position;
    }
    Bytes.truncate(Out - Bytes.constData());
    return Bytes;
}

void TUnicodeTextFile::Save(QStringView Text, const QString& FileName)
{
    TAtomicFile::Write(FileName, Encode(Text));
}
