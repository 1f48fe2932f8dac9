#pragma once

#include <QByteArray>

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
        Unknown
    };

    static TKind Sniff(const QByteArray& Content);
};
