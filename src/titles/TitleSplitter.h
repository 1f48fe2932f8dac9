#pragma once

#include "SubtitleWrapper.h"

#include <QString>

#include <vector>

class TSubtitleItem;
class TSubtitleItemFactory;

// Cuts a subtitle into the texts of its titles. The accepted text grows by one word
// (up to and including its closing blank) at a time while the wrapped text still fits
// into LineMaximum lines; when one more word would need more lines, or the rest of the
// subtitle has been taken, the accepted text becomes a title and the next title starts
// with the following word. So a title holds a single word only when the next word
// would not fit beside it or when that word is the subtitle's last.
//
// The first word is always accepted, and a LineMaximum below 1 counts as 1: otherwise
// a first word that alone needs too many lines would produce an empty title and lose
// the subtitle's first character.
//
// The item's font, box width and LineMaximum are read as each title is cut.
class TTitleSplitter
{
public:
    TTitleSplitter(const TSubtitleItemFactory& Factory, const TSubtitleItem& Item, QString Text);

    // The next title's text, not yet wrapped (it still ends with its closing blank
    // unless it is the rest of the subtitle); false when all of it has been handed out.
    bool Next(QString& Accepted);

private:
    const TSubtitleItemFactory& FFactory;
    const TSubtitleItem& FItem;
    QString FRest;      // what is left of the subtitle
    qsizetype FAcceptedSize = 0; // how much of FRest the next title takes so far
    bool FAcceptedPlain = true;  // whether that is plain (TSubtitleWrapper::IsPlain)
    std::vector<TSubtitleWrapper::TWord> FAcceptedWords; // its words (then the candidate's), while plain
    qint32 FSearch = 1; // 1-based offset in FRest where the next word starts
    qint32 FEnd = 1;    // 1-based position of the accepted text's closing blank; 0: it is all of FRest
    bool FFirst = true;
    bool FDone = false;
};
