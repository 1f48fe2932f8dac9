#pragma once

#include <QString>
#include <QStringList>

class TCompoundFile;

// Column A of the first worksheet of an Excel 97-2003 workbook (BIFF8), from row 1
// through the last used row, as the .xlsx reader gives it. Decrypts RC4 and RC4
// CryptoAPI encrypted workbooks with the password, or with Excel's default password
// when none fits. Every failure is an EDocument that names the file.
class TExcelBinaryParser
{
public:
    static QStringList Parse(const TCompoundFile& File, const QString& Password, const QString& FileName);
};
