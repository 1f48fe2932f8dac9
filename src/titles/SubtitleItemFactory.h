#pragma once

#include "TextRect.h"
#include "TitleWrittenProc.h"

#include <QDateTime>
#include <QString>
#include <QStringView>

#include <functional>
#include <memory>

class TSubtitleItem;
class TTitleTemplate;

// Turns subtitle settings and text into title files and back: measures text in the
// subtitle font, wraps it to the box width, splits a subtitle that needs more lines
// than LineMaximum into several titles, places each in the frame and writes it from
// a template; rewrites one title after an edit; reads a title file into settings.
// The one entry that the pages and the run use; each job is done by a class of its own
// (TSubtitleMeasure, TSubtitleWrapper, TTitleSplitter, TTitleFill, TTitlePlacement,
// TTitleWriter, TTitleReader, TSubtitleText).
//
// The factory keeps no state between calls apart from its clock, so any number may
// exist and each thread uses its own. Measuring needs a QGuiApplication (offscreen
// will do); it may run on a worker thread while the interface thread paints, because
// every thread measures with fonts of its own (TFontMeasure).
//
// The item passed in belongs to the caller; the writers change its SubtitleContent,
// SubtitleLineCount, SubtitleDirectory and SubtitleFileName through its setters, so
// its observer is told on the calling thread. Errors (EError descendants) pass to the
// caller unchanged; files already written stay.
//
// A generation run parses the template once and reuses it for every line:
//
//     TTitleTemplate Template(TemplateFilePath());
//     TSubtitleItemFactory Factory;
//     for (each line) {
//         Item.SetSubtitleDirectory(...); Item.SetSubtitleFileName(...); Item.SetSubtitleContent(Line);
//         Factory.WriteSubtitles(Item, Template, OnWritten); // OnWritten records each file
//     }
class TSubtitleItemFactory
{
public:
    // The local time that a title records as its CreateTime; tests pin it.
    using TClock = std::function<QDateTime()>;

    // An empty clock means the current local time, to the second.
    explicit TSubtitleItemFactory(TClock Clock = {});

    // The block of Text in the item's font (FontName, regular, at round(FontSize * 96 /
    // 72) pixels): Right is the width of the widest line, Bottom the number of lines
    // times the line height (ascent + descent, no leading). CR LF, lone CR and lone LF
    // break lines; "&" and tabs are ordinary characters. The empty rectangle without
    // an item.
    TTextRect MeasureText(const TSubtitleItem* Item, QStringView Text) const;

    // Text broken into lines of at most BoxWidth pixels where possible, filling lines
    // from the end backwards: words (split at every blank) are taken from last to first
    // and go on the current first line while it stays within BoxWidth, otherwise start
    // a new first line. Characters of code 32 or less are trimmed from both ends.
    // LineBreaks gets the number of CR LF pairs in the result. Without an item every
    // word fits.
    QString WrapText(const TSubtitleItem* Item, const QString& Text, qint32& LineBreaks) const;
    // The LineBreaks that WrapText would report, without building the wrapped text: what
    // the splitting of long subtitles asks for every candidate.
    qint32 WrappedLineBreaks(const TSubtitleItem* Item, const QString& Text) const;

    // Writes the item's SubtitleContent as one or more title files built from the
    // template file (see the overload). Loads the template once for the call.
    void WriteSubtitles(TSubtitleItem& Item, const QString& TemplateFileName, const TTitleWrittenProc& OnWritten) const;
    // The same from an already parsed template, which the call fills in place; a run
    // that writes many subtitles parses the template once. For each title: the wrapped
    // text and its line count go into the item, the file is saved as
    // SubtitleDirectory/SubtitleFileName with the extension .etl (parts 2, 3, ... get
    // "_2", "_3", ...), the item's SubtitleDirectory and SubtitleFileName name the file
    // just written, and OnWritten (if set) is called with the item. A LineMaximum below
    // 1 counts as 1.
    void WriteSubtitles(TSubtitleItem& Item, TTitleTemplate& Template, const TTitleWrittenProc& OnWritten) const;

    // Loads the title file as its own template, fills it from the item, and writes the
    // item's whole SubtitleContent rewrapped as one title (no LineMaximum limit) to
    // SubtitleDirectory/SubtitleFileName with the extension .etl. The item gets the
    // rewrapped text and its line count; directory and file name stay.
    void RewriteSubtitle(TSubtitleItem& Item, const QString& TitleFileName) const;

    // A new item, as plain construction leaves it, filled from the title file: text
    // (LF read back as CR LF) and line count, text alignment, edge, colours, edge
    // widths, font, styles and frame size. Box placement, width, LineMaximum and output
    // settings are not in the file and stay empty. A missing or non-integer integer
    // value fails the read (EConvertError naming element and file).
    std::unique_ptr<TSubtitleItem> ReadSubtitle(const QString& TitleFileName) const;

    // Number of non-overlapping occurrences of Part in Text from the left; 0 for an
    // empty Part.
    static qint32 CountOccurrences(QStringView Part, QStringView Text);
    // Finds the Count-th blank at or after the 1-based Offset (Count <= 1: the first).
    // Position gets its 1-based position, or 0 when there is none. Returns the start of
    // Text up to and including that blank, or the whole text when there is none.
    static QString CopyToBlank(const QString& Text, qint32 Offset, qint32 Count, qint32& Position);
    // Text as a title-tool text file: UTF-16 LE with FF FE, CR LF after every line
    // (TUnicodeTextFile::Save).
    static void SaveUnicodeText(QStringView Text, const QString& FileName);

private:
    TClock FClock;
};
