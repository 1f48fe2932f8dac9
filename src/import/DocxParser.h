#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The paragraphs of a Word document (.docx): every paragraph of the main document body in
// document order, those in table cells and content controls included, as the text of
// their runs, without the paragraph mark. Changes tracked in the document count as
// accepted: deleted and moved-away text is left out, inserted and moved-in text kept, a
// paragraph whose mark was deleted runs on into the next one, and a deleted table row
// gives no lines.
class TDocxParser
{
public:
    static QStringList Parse(const QByteArray& ZipBytes, const QString& FileName);
};
