#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

// Decodes the 8-bit text of files from before Unicode, stored in the Windows code page
// that the file names (CODEPAGE record of an Excel 5.0/95 workbook).
class TCodePageDecoder
{
public:
    static constexpr quint16 WesternEuropean = 1252;

    // Raises EUnsupportedFormat when no converter of this system knows the code page:
    // text read in another one would come out wrong without any error.
    explicit TCodePageDecoder(quint16 CodePage);

    QString Decode(QByteArrayView Bytes);

private:
    // Code page 1200 (UTF-16) in an 8-bit string: each byte is a UTF-16 unit without its
    // high byte, as in the compressed strings of Excel 97.
    bool FLatin1 = false;
    QStringDecoder FDecoder;
};
