#pragma once

#include <QByteArrayView>
#include <QList>

// The paragraph properties of a Word document as far as tables need them: which
// paragraph marks end a table row. Word stores a row end as a paragraph of its own whose
// mark is the same character as a cell end; only its properties tell them apart.
class TWordParagraphFormats
{
public:
    // Pages is the PlcBtePapx (empty when the document has none): from the table stream
    // of a Word 97-2003 document, from WordDocument itself in a Word 6.0 / Word 95 one,
    // whose formatting pages have a layout and property codes of their own. A Word 6.0 /
    // Word 95 document saved in full may list fewer pages than it has (PageCount): the
    // others follow the last listed one. Raises EMalformedData when Pages is damaged.
    TWordParagraphFormats(QByteArrayView WordDocument, QByteArrayView Pages, bool Word6 = false, quint16 PageCount = 0);

    // Whether the paragraph whose mark lies at this stream offset ends a table row (of an
    // outer or a nested table). Raises EMalformedData for a damaged formatting page.
    bool IsRowEnd(qint64 MarkOffset) const;

private:
    static constexpr qsizetype PageSize = 512;

    void AddUnlistedPages(quint16 PageCount);
    bool GrpprlMarksRowEnd(QByteArrayView Grpprl) const;
    bool Word6GrpprlMarksRowEnd(QByteArrayView Grpprl) const;

    QByteArrayView FWordDocument;
    bool FWord6 = false;
    QList<quint32> FBoundaries; // stream offsets where the pages' ranges start, then one past the last
    QList<quint32> FPageNumbers;
};
