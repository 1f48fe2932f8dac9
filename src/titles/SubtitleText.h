#pragma once

#include <QString>
#include <QStringView>

// The plain text operations that the wrapping, the cutting of long subtitles into
// titles and the output paths are built on.
class TSubtitleText
{
public:
    // Text without the characters of code 32 or less (blanks, line breaks, control
    // characters) at either end.
    static QString Trim(const QString& Text);
    // Whether Text holds a character above 32, which trimming stops at.
    static bool HasVisible(QStringView Text);
    // Number of non-overlapping occurrences of Part in Text from the left; 0 for an
    // empty Part.
    static qint32 CountOccurrences(QStringView Part, QStringView Text);
    // Finds the Count-th blank at or after the 1-based Offset (Count <= 1: the first).
    // Position gets its 1-based position, or 0 when there is none. Returns the start of
    // Text up to and including that blank, or the whole text when there is none.
    static QString CopyToBlank(const QString& Text, qint32 Offset, qint32 Count, qint32& Position);
    // The same as a view into Text, without copying.
    static QStringView UpToBlank(QStringView Text, qint32 Offset, qint32 Count, qint32& Position);
};
