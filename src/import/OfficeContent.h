#pragma once

#include <QByteArray>
#include <QString>

// What the first bytes of an Office file say it is.
class TOfficeContent
{
public:
    enum class TKind
    {
        Zip,
        CompoundFile,
        Rtf,
        // Word's and Excel's single-file XML formats of Office 2003.
        WordXml2003,
        SpreadsheetXml2003,
        // A web page, or a web archive: the page and its pictures in one MIME message (.mht).
        Html,
        Mht,
        // Bytes without any control character that text does not hold: plain text, CSV or
        // tab-separated values.
        Text,
        // A format of its own that no reader takes: ForeignFormat names it.
        Foreign,
        Unknown
    };

    static TKind Sniff(const QByteArray& Content);

    // The name of a format that Office does not open as a document or workbook ("PDF 文件",
    // "PNG 图像"), as the messages give it; empty when the bytes are none of those.
    static QString ForeignFormat(const QByteArray& Content);
};
