#pragma once

#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <vector>

class TSubtitleItem;

// What a generation run wrote, told at its end so that an editor finds the titles to
// look at without opening thousands of files: how many titles, how many subtitles were
// cut into more than one title, and which titles hold a line wider than their box (the
// first few named).
class TRunSummary
{
public:
    // Counts the title just written: Title holds its text, box and file, Part is its
    // number within its subtitle (1 for the first).
    void Add(const TSubtitleItem& Title, qint32 Part);
    void Print(std::FILE* Stream) const;

    static constexpr int NamedOverflows = 5;

private:
    struct TOverflow
    {
        QString Path;
        qint32 WidestLine;
        qint32 BoxWidth;
    };

    qint64 FTitles = 0;
    qint64 FCutSubtitles = 0;
    qint64 FOverflowing = 0;
    std::vector<TOverflow> FNamed;
};
