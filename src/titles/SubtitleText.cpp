#include "SubtitleText.h"

#include <algorithm>

QString TSubtitleText::Trim(const QString& Text)
{
    qsizetype Begin = 0;
    qsizetype End = Text.size();
    while (Begin < End && Text[Begin].unicode() <= 32)
        ++Begin;
    while (End > Begin && Text[End - 1].unicode() <= 32)
        --End;
    return Text.mid(Begin, End - Begin);
}

qint32 TSubtitleText::CountOccurrences(QStringView Part, QStringView Text)
{
    if (Part.isEmpty())
        return 0;
    qint32 Count = 0;
    qsizetype From = 0;
    for (;;) {
        const qsizetype Found = Text.indexOf(Part, From);
        if (Found < 0)
            return Count;
        ++Count;
        From = Found + Part.size();
    }
}

QString TSubtitleText::CopyToBlank(const QString& Text, qint32 Offset, qint32 Count, qint32& Position)
{
    const QStringView Found = UpToBlank(Text, Offset, Count, Position);
    return Found.size() == Text.size() ? Text : Found.toString();
}

QStringView TSubtitleText::UpToBlank(QStringView Text, qint32 Offset, qint32 Count, qint32& Position)
{
    Position = 0;
    qsizetype From = std::max<qint32>(Offset, 1) - 1;
    qint32 Remaining = std::max<qint32>(Count, 1);
    while (From < Text.size()) {
        const qsizetype Blank = Text.indexOf(QLatin1Char(' '), From);
        if (Blank < 0)
            break;
        if (--Remaining == 0) {
            Position = qint32(Blank + 1);
            return Text.first(Blank + 1);
        }
        From = Blank + 1;
    }
    return Text;
}

bool TSubtitleText::HasVisible(QStringView Text)
{
    for (const QChar Character : Text)
        if (Character.unicode() > 32)
            return true;
    return false;
}
