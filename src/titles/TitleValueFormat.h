#pragma once

#include "model/Alignment.h"

#include <QDateTime>
#include <QString>
#include <QStringView>

// How title files spell the values the system writes and reads: integers, real
// numbers ("0.000000" with the user's decimal separator), colours (ARGB with alpha
// 255, against the system's 0x00BBGGRR), text alignments and the creation time.
class TTitleValueFormat
{
public:
    // A 32-bit signed decimal integer, optionally signed, XML blanks around it allowed.
    static bool TryParseInteger(QStringView Text, qint32& Value);

    // At least one integer digit, exactly six decimals, no grouping, the decimal
    // separator of QLocale's default locale. Values that round to zero print without
    // a minus sign.
    static QString FormatFloat(double Value);
    // A number in QLocale's default locale; 0 when the text is not one.
    static double ParseFloat(const QString& Text);

    // 0x00BBGGRR to the signed decimal text of 0xFFRRGGBB.
    static QString EncodeColor(TColor Color);
    // The reverse; the alpha byte is dropped, and text that is not an integer is black.
    static TColor DecodeColor(const QString& Text);

    // The title's code of a text alignment: 0 left, 1 centre, 2 right (not the order of
    // TAlignment).
    static qint32 EncodeAlignment(TAlignment Alignment);
    // The reverse; an unknown code is left.
    static TAlignment DecodeAlignment(qint32 Code);

    // "dd/MM/yyyy HH:mm:ss" with literal slashes and the locale's time separator.
    static QString FormatCreateTime(const QDateTime& Time);
    // The separator between hours and minutes in the default locale's short time
    // format; a colon when the format does not show a plain one.
    static QString TimeSeparator();
};
