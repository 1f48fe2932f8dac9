#pragma once

#include <QString>
#include <QStringView>

#include <span>
#include <vector>

class TFontMeasure;
class TSubtitleItem;

// Breaks a subtitle into lines that fit its box: lines are filled from the end
// backwards, so the last line is the fullest and the first takes what is left. Words
// (split at every blank, so two blanks give an empty word) are taken from the last to
// the first; each goes on the current first line while that line, measured in the
// item's font (TSubtitleMeasure), stays within BoxWidth pixels, and otherwise starts a
// new first line. A line exactly BoxWidth wide still fits, and a single word wider than
// the box keeps a line of its own. Characters of code 32 or less are trimmed from both
// ends of the result. Without an item every word fits.
class TSubtitleWrapper
{
public:
    // The wrapped text; LineBreaks gets the number of CR LF pairs in it, line breaks
    // that the text held already included.
    static QString Wrap(const TSubtitleItem* Item, const QString& Text, qint32& LineBreaks);
    // The LineBreaks that Wrap would report, without building the wrapped text: what
    // the cutting of long subtitles asks for every candidate.
    static qint32 LineBreaks(const TSubtitleItem* Item, const QString& Text);

    // A word of a plain text as the wrap sees it: its width, and whether it holds a
    // character above 32, which trimming stops at.
    struct TWord
    {
        qint64 Width = 0;
        bool Visible = false;
    };
    // Whether Text holds no line break and no surrogate: its words then add up.
    static bool IsPlain(QStringView Text);
    // Adds the words of the plain Text, measured in Font (the item's, TSubtitleMeasure),
    // to Words, those of the plain text it follows (one empty word for no text): the
    // first of them continues the last of Words.
    static void AddWords(std::vector<TWord>& Words, TFontMeasure& Font, QStringView Text);
    // The LineBreaks that Wrap reports for the plain text made of Words, from their
    // measures alone: what the cutting of a subtitle asks for each longer candidate.
    static qint32 PlainLineBreaks(const TSubtitleItem& Item, TFontMeasure& Font, std::span<const TWord> Words);
};
