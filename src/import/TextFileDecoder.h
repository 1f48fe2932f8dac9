#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <limits>
#include <optional>

// Turns the bytes of a text file into lines. The byte-order mark decides the encoding;
// without one, text that is valid UTF-8 is read as UTF-8 and anything else in the legacy
// code page given to the constructor (by default the one of the user's locale), so that
// old files saved by Windows editors still open.
class TTextFileDecoder
{
public:
    // An empty LegacyCodec means the code page of the system locale.
    explicit TTextFileDecoder(const QByteArray& LegacyCodec = QByteArray());

    const QByteArray& LegacyCodec() const noexcept { return FLegacyCodec; }

    QString Decode(const QByteArray& Content, const QString& FileName) const;
    // Empty when the text has more than MaximumLines lines: the caller reports that with
    // the file named, before a list that large is built.
    std::optional<QStringList> DecodeLines(const QByteArray& Content, const QString& FileName,
        qsizetype MaximumLines = std::numeric_limits<qsizetype>::max()) const;

    // Lines end at CR LF, a lone CR or a lone LF; a NUL ends the text; a break at the
    // very end gives no further empty line.
    static QStringList SplitLines(const QString& Text);
    static qsizetype CountLines(const QString& Text);

    // The Windows ANSI code page that users of this locale have their old files in.
    static QByteArray LegacyCodecForLocale(const QLocale& Locale);
    static QByteArray SystemLegacyCodec();

private:
    QByteArray FLegacyCodec;
};
