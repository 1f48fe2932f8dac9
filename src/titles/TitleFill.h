#pragma once

#include <QString>

class QDateTime;
class TSubtitleItem;
class TXMLTitleDocumentType;

// What a title takes from its subtitle's settings and the clock, apart from its text
// and its placement, in the form it is written into the title document: creation time,
// frame size, alignment, font, styles, fill colour and edge. Comparing two fills tells
// whether a template filled with one needs filling again for the other.
struct TTitleFill
{
    QString CreateTime;
    qint32 FrameSizeX = 0;
    qint32 FrameSizeY = 0;
    qint32 Alignment = 0;
    QString FontName;
    qint32 FontSize = 0;
    qint32 Bold = 0;
    qint32 Italic = 0;
    qint32 Underline = 0;
    QString FillColor;
    qint32 EdgeEnabled = 0;
    QString EdgeColor;
    QString EdgeWidth;
    QString EdgeWidthSoft;

    // The fill of a title written from Item at the local time Now.
    static TTitleFill Of(const TSubtitleItem& Item, const QDateTime& Now);

    // Writes the fill into the document's title object; elements the document lacks
    // are appended, nothing else changes.
    void WriteTo(const TXMLTitleDocumentType& Document) const;

    bool operator==(const TTitleFill&) const = default;
};
