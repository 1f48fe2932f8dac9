#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

class TCompoundFile;

// Column A of the first worksheet of an Excel 97-2003 (BIFF8) or Excel 5.0/95 (BIFF5)
// workbook, from row 1 through the last used row, as the .xlsx reader gives it. Decrypts
// RC4 and RC4 CryptoAPI encrypted workbooks with the password, or with Excel's default
// password when none fits. Every failure is an EDocument that names the file.
class TExcelBinaryParser
{
public:
    static QStringList Parse(const TCompoundFile& File, const QString& Password, const QString& FileName);
    // Refuses a worksheet or workbook of Excel 2.x to 4.0, which are no compound files,
    // with an EDocument that names the file and its format; returns for any other content.
    static void RefuseOlderFormat(QByteArrayView Content, const QString& FileName);
};
