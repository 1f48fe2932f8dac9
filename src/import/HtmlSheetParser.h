#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// Column A of a web page as Excel opens it: every row of a table is a row of the sheet,
// and so is every block outside tables; one line per row, from the first through the last
// used one. A cell's paragraphs and line breaks stay in the cell as line breaks; a cell
// spanning rows leaves column A empty below it, and a row whose first column is spanned
// from above has nothing in column A. A table inside a cell is text of that cell. Where
// Excel wrote the cell's raw value beside the text shown (x:num, x:str), that value counts.
class THtmlSheetParser
{
public:
    static QStringList Parse(const QByteArray& Page, const QString& FileName, const QByteArray& LegacyCodec = QByteArray(),
        QByteArrayView HeaderCharset = QByteArrayView());
};
