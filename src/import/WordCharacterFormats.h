#pragma once

#include "WordFormatPages.h"

#include <QByteArrayView>

// The direct character formatting of a Word document: for each run of the stream, the
// property modifiers that change its characters from those of their styles.
class TWordCharacterFormats
{
public:
    // Pages is the PlcBteChpx (empty when the document has none), as for the paragraph
    // formats; a page's entries are one byte each. Damaged formatting gives no
    // properties: the text keeps its styles' ones.
    TWordCharacterFormats(QByteArrayView WordDocument, QByteArrayView Pages, bool Word6 = false, quint16 PageCount = 0);

    // The property modifiers of the run that holds this stream offset (empty where the
    // text has its styles' properties), and in End the offset after that run.
    QByteArrayView Properties(qint64 Offset, qint64& End) const;

private:
    TWordFormatPages FPages;
};
