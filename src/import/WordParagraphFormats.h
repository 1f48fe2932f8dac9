#pragma once

#include <QByteArrayView>
#include <QList>

// The paragraph properties of a Word 97-2003 document as far as tables need them: which
// paragraph marks end a table row. Word stores a row end as a paragraph of its own whose
// mark is the same character as a cell end; only its properties tell them apart.
class TWordParagraphFormats
{
public:
    // Pages is the PlcBtePapx from the table stream (empty when the document has none).
    // Raises EMalformedData when it is damaged.
    TWordParagraphFormats(QByteArrayView WordDocument, QByteArrayView Pages);

    // Whether the paragraph whose mark lies at this stream offset ends a table row (of an
    // outer or a nested table). Raises EMalformedData for a damaged formatting page.
    bool IsRowEnd(qint64 MarkOffset) const;

private:
    static constexpr qsizetype PageSize = 512;

    bool GrpprlMarksRowEnd(QByteArrayView Grpprl) const;

    QByteArrayView FWordDocument;
    QList<quint32> FBoundaries; // stream offsets where the pages' ranges start, then one past the last
    QList<quint32> FPageNumbers;
};
