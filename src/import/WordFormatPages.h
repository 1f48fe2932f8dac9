#pragma once

#include <QByteArrayView>
#include <QList>

// The formatting pages of a Word document. A bin table (a PlcBte) lists ranges of stream
// offsets and the 512-byte page of WordDocument that holds the properties of the text
// there; each page (an FKP) divides its range into runs: their start offsets, one entry
// per run whose first byte locates the run's properties in the page (in words, 0 for the
// style's properties), and the count of runs in its last byte.
class TWordFormatPages
{
public:
    static constexpr qsizetype PageSize = 512;

    struct TRun
    {
        qint64 Start = 0;
        qint64 End = 0; // one past the last offset, always after Start
        QByteArrayView Entry;      // empty where no run of a page holds the offset
        QByteArrayView Properties; // from where the entry points to the end of the page; empty for the style's
    };

    TWordFormatPages() = default;

    // BinTable is the PlcBte, empty when the document has none; EntrySize the size of a
    // run's entry in a page. Word 6.0 and Word 95 number their pages with 16 bits, and a
    // document saved in full may list fewer pages than it has (PageCount): the others follow
    // the last listed one. Raises EMalformedData when BinTable is damaged. With
    // SkipDamagedPages a page that cannot be read gives its range no properties rather than
    // failing Find.
    TWordFormatPages(QByteArrayView WordDocument, QByteArrayView BinTable, bool Word6, quint16 PageCount,
        qsizetype EntrySize, bool SkipDamagedPages = false);

    bool IsEmpty() const noexcept { return FPageNumbers.isEmpty(); }

    // The run that holds this stream offset; where no run does, one without entry that ends
    // where the next run starts. Raises EMalformedData for a damaged page.
    TRun Find(qint64 Offset) const;

private:
    void AddUnlistedPages(quint16 PageCount);

    QByteArrayView FWordDocument;
    qsizetype FEntrySize = 1;
    bool FSkipDamagedPages = false;
    QList<quint32> FBoundaries; // stream offsets where the pages' ranges start, then one past the last
    QList<quint32> FPageNumbers;
};
