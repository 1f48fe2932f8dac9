#pragma once

#include "DocumentError.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Column A of the first sheet of an Excel workbook (.xlsx), from row 1 through the last
// used row of that sheet, one line per row; an empty cell gives an empty line. A cell
// gives its raw value as text: strings unchanged, numbers (dates as serial numbers) in
// their shortest form, booleans as Excel shows them ("TRUE", "FALSE"), errors by their
// text ("#DIV/0!"), formulas by their cached value.
class TXlsxParser
{
public:
    // Excel's own row limit; a sheet claiming more is read up to here.
    static constexpr qint32 MaximumRow = 1048576;

    static QStringList Parse(const QByteArray& ZipBytes, const QString& FileName);

    // A number as its shortest text that reads back to the same value, with the
    // decimal separator of the default locale ("12", "3,5").
    static QString FormatNumber(double Value);
    // The same for a number written as XML writes it ("3.5", "1E-3"); text that is no
    // number stays as it is.
    static QString FormatNumberText(const QString& Text);

    static EDocument InvalidRowNumber(const QString& FileName, const QString& Row);
};
