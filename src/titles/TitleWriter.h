#pragma once

#include "TitleWrittenProc.h"

#include <QDateTime>
#include <QString>

class TSubtitleItem;
class TSubtitleItemFactory;
class TTitleTemplate;

// Writes a subtitle as title files, and rewrites one title after an edit. Every title
// is the template filled from the item (TTitleFill), with its text wrapped to the box
// and placed in the frame; the item is given each title's text, line count and file as
// it is written, so its observer and OnWritten see the title just saved.
class TTitleWriter
{
public:
    // Factory cuts long subtitles into titles; Now is the creation time the titles
    // record.
    TTitleWriter(const TSubtitleItemFactory& Factory, QDateTime Now);

    // The item's SubtitleContent as one title, or as several when it needs more than
    // LineMaximum lines, saved as SubtitleDirectory/SubtitleFileName with the extension
    // .etl; parts 2, 3, ... get "_2", "_3", .... The template is filled in place.
    void Write(TSubtitleItem& Item, TTitleTemplate& Template, const TTitleWrittenProc& OnWritten) const;

    // The title file filled from the item, with the item's whole SubtitleContent
    // rewrapped as one title (no LineMaximum limit), saved as
    // SubtitleDirectory/SubtitleFileName with the extension .etl. Directory and file
    // name of the item stay.
    void Rewrite(TSubtitleItem& Item, const QString& TitleFileName) const;

private:
    const TSubtitleItemFactory& FFactory;
    QDateTime FNow;
};
