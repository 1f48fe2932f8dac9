#pragma once

#include <QByteArrayView>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

class TBiffRecordReader;
class TByteCursor;
class TCodePageDecoder;
struct TBiffRecord;

// Column A of one worksheet substream, from row 1 through the sheet's last used row: cell
// values as the .xlsx reader gives them, formulas by their cached results (never
// evaluated). Substreams nested in the sheet, such as embedded charts whose series look
// like cells, are passed over. Damage raises EMalformedData.
class TExcelSheetReader
{
public:
    // Excel 97-2003 (BIFF8): UTF-16 or compressed strings, text cells in the shared strings.
    static QStringList ColumnA(QByteArrayView Stream, qsizetype Offset, const QStringList& SharedStrings);
    // Excel 5.0/95 (BIFF5): 8-bit strings in the workbook's code page.
    static QStringList ColumnA(QByteArrayView Stream, qsizetype Offset, TCodePageDecoder& CodePage);

private:
    TExcelSheetReader(const QStringList* SharedStrings, TCodePageDecoder* CodePage);

    QStringList Read(QByteArrayView Stream, qsizetype Offset);
    void ReadCell(const TBiffRecord& Record, const TBiffRecordReader& Records);
    void ReadFormula(TByteCursor& Cursor);
    QString ReadString(TByteCursor& Cursor);
    QString ReadContinuedString(const TBiffRecord& Record, const TBiffRecordReader& Records);
    void Use(quint32 Row, quint16 Column, const QString& Text);

    // Set for Excel 97-2003, and CodePage for Excel 5.0/95.
    const QStringList* FSharedStrings;
    TCodePageDecoder* FCodePage;

    QMap<quint32, QString> FCells; // column A by 0-based row
    quint32 FLastRow = 0;          // one past the last used row
    // The cell of the last formula whose text result waits for its STRING record.
    std::optional<std::pair<quint32, quint16>> FPendingString;
};
