#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The paragraphs of a Word document (.docx): every paragraph of the main document body in
// document order, those in table cells and content controls included, as the text of
// their runs, without the paragraph mark.
class TDocxParser
{
public:
    static QStringList Parse(const QByteArray& ZipBytes, const QString& FileName);
};
