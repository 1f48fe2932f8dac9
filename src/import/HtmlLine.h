#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The text of one line of a web page as it shows: runs of spaces, tabs and line breaks in
// the markup become one space, none at the start or the end of the line, and none where a
// line break of the markup falls between two wide characters (Chinese or Japanese text
// wrapped in the source); preformatted text is kept as it stands. Collected in UTF-8 and
// decoded once per line.
class THtmlLine
{
public:
    void Append(QByteArrayView Utf8, bool Preformatted);
    // A line break inside the text, as a cell holds one.
    void AppendBreak();
    // The end of a block inside the text: a line break unless the text is empty or
    // already ends with one.
    void EndBlock();

    // True when the line holds nothing but collapsed white space.
    bool IsEmpty() const noexcept { return FText.isEmpty(); }
    // The line so far, which starts again empty.
    QString Take();

private:
    QByteArray FText;
    bool FPendingSpace = false;
    bool FPendingSegmentBreak = false; // the pending space holds a line break of the markup
};
