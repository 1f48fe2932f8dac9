#pragma once

#include "WordFormatPages.h"

#include <QByteArrayView>

// The paragraph properties of a Word document as far as reading its text needs them: which
// paragraph marks end a table row, and each paragraph's style. Word stores a row end as a
// paragraph of its own whose mark is the same character as a cell end; only its properties
// tell them apart.
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

    // The style (istd) of the paragraph whose mark lies at this stream offset; 0, the
    // normal style, when its properties do not name one. Fails as IsRowEnd does.
    quint16 Style(qint64 MarkOffset) const;

private:
    // The style and the property list that follows it, empty for the default properties.
    QByteArrayView Properties(qint64 MarkOffset) const;

    TWordFormatPages FPages;
    bool FWord6 = false;
};
