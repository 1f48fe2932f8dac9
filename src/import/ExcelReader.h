#pragma once

#include "DocumentReader.h"

// An Excel workbook: column A of its first sheet. The content decides the format: a ZIP
// package is read as .xlsx, a compound file as an Excel 97-2003 workbook or as an
// encrypted .xlsx, an Excel 2003 XML workbook as what it is.
class TExcelReader : public TDocumentReader
{
protected:
    QStringList Parse(const QByteArray& Content, const QString& FileName, const QString& Password) override;
};
