#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Column A of the first worksheet of an Excel 2003 XML workbook (SpreadsheetML 2003, one
// XML file), from row 1 through the last used row, as the .xlsx reader gives it: strings
// unchanged, numbers in their shortest form, dates as serial numbers, booleans as
// "TRUE" and "FALSE", errors by their text, formulas by their cached value.
class TSpreadsheetXml2003Parser
{
public:
    static QStringList Parse(const QByteArray& Content, const QString& FileName);
};
