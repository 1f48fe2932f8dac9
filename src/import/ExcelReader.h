#pragma once

#include "DocumentReader.h"

// An Excel workbook: column A of its first sheet. The content decides the format: a ZIP
// package is read as .xlsx, a compound file as an Excel 97-2003 workbook or as an
// encrypted .xlsx, an Excel 2003 XML workbook, a web page or web archive and comma- or
// tab-separated text as Excel opens them; files of other known kinds are refused with the
// name of their format.
class TExcelReader : public TDocumentReader
{
public:
    // The code page of web pages and text that name none and are no UTF-8; empty means
    // that of the user's locale.
    explicit TExcelReader(const QByteArray& LegacyCodec = QByteArray());

protected:
    QStringList Parse(const QByteArray& Content, const QString& FileName, const QString& Password) override;

private:
    QByteArray FLegacyCodec;
};
