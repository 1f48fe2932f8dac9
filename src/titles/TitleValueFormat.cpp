#include "TitleValueFormat.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace
{
bool IsXmlBlank(QChar Character)
{
    const char16_t Code = Character.unicode();
    return Code == u' ' || Code == u'\t' || Code == u'\r' || Code == u'\n';
}

QString FormatDayAndTime(QDate Date, QTime Clock)
{
    const QString Separator = TTitleValueFormat::TimeSeparator();
    const auto TwoDigits = [](int Number) { return QStringLiteral("%1").arg(Number, 2, 10, QLatin1Char('0')); };
    return TwoDigits(Date.day()) + QLatin1Char('/') + TwoDigits(Date.month()) + QLatin1Char('/')
         + QStringLiteral("%1").arg(Date.year(), 4, 10, QLatin1Char('0')) + QLatin1Char(' ')
         + TwoDigits(Clock.hour()) + Separator + TwoDigits(Clock.minute()) + Separator + TwoDigits(Clock.second());
}

// The default locale's decimal point. Asked for every number of every title, so kept
// per thread for as long as the default locale stays the same.
const QString& DecimalPoint()
{
    struct TLast
    {
        QLocale Locale;
        QString Point;
    };
    thread_local TLast Last{QLocale(), QLocale().decimalPoint()};
    const QLocale Locale;
    if (Locale != Last.Locale)
        Last = {Locale, Locale.decimalPoint()};
    return Last.Point;
}
} // namespace

bool TTitleValueFormat::TryParseInteger(QStringView Text, qint32& Value)
{
    qsizetype Begin = 0;
    qsizetype End = Text.size();
    while (Begin < End && IsXmlBlank(Text[Begin]))
        ++Begin;
    while (End > Begin && IsXmlBlank(Text[End - 1]))
        --End;
    bool Negative = false;
    if (Begin < End && (Text[Begin] == u'-' || Text[Begin] == u'+')) {
        Negative = Text[Begin] == u'-';
        ++Begin;
    }
    if (Begin == End)
        return false;
    const qint64 Limit = Negative ? qint64(std::numeric_limits<qint32>::max()) + 1 : std::numeric_limits<qint32>::max();
    qint64 Magnitude = 0;
    for (qsizetype i = Begin; i < End; ++i) {
        const char16_t Code = Text[i].unicode();
        if (Code < u'0' || Code > u'9')
            return false;
        Magnitude = Magnitude * 10 + (Code - u'0');
        if (Magnitude > Limit)
            return false;
    }
    Value = qint32(Negative ? -Magnitude : Magnitude);
    return true;
}

QString TTitleValueFormat::FormatFloat(double Value)
{
    if (std::isnan(Value))
        return QStringLiteral("NAN");
    if (std::isinf(Value))
        return Value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    // Room for the widest double in fixed notation: 309 digits, sign, point and six decimals.
    char Buffer[400];
    const std::to_chars_result Printed = std::to_chars(Buffer, Buffer + sizeof Buffer, Value, std::chars_format::fixed, 6);
    std::string_view Digits(Buffer, std::size_t(Printed.ptr - Buffer));
    if (Digits == "-0.000000")
        Digits.remove_prefix(1);
    QString Text = QString::fromLatin1(Digits.data(), qsizetype(Digits.size()));
    const QString& Point = DecimalPoint();
    if (Point != QLatin1String("."))
        Text.replace(QLatin1Char('.'), Point);
    return Text;
}

double TTitleValueFormat::ParseFloat(const QString& Text)
{
    QLocale Locale;
    Locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool Ok = false;
    const double Value = Locale.toDouble(Text.trimmed(), &Ok);
    return Ok && std::isfinite(Value) ? Value : 0.0;
}

QString TTitleValueFormat::EncodeColor(TColor Color)
{
    const quint32 Stored = quint32(Color);
    const quint32 Red = Stored & 0xFFu;
    const quint32 Green = (Stored >> 8) & 0xFFu;
    const quint32 Blue = (Stored >> 16) & 0xFFu;
    const quint32 Argb = 0xFF000000u | (Red << 16) | (Green << 8) | Blue;
    return QString::number(qint32(Argb));
}

TColor TTitleValueFormat::DecodeColor(const QString& Text)
{
    qint32 Value = 0;
    if (!TryParseInteger(Text, Value))
        return 0;
    const quint32 Argb = quint32(Value);
    const quint32 Red = (Argb >> 16) & 0xFFu;
    const quint32 Green = (Argb >> 8) & 0xFFu;
    const quint32 Blue = Argb & 0xFFu;
    return TColor(Red | (Green << 8) | (Blue << 16));
}

qint32 TTitleValueFormat::EncodeAlignment(TAlignment Alignment)
{
    switch (Alignment) {
    case taRightJustify:
        return 2;
    case taCenter:
        return 1;
    case taLeftJustify:
        break;
    }
    return 0;
}

TAlignment TTitleValueFormat::DecodeAlignment(qint32 Code)
{
    switch (Code) {
    case 1:
        return taCenter;
    case 2:
        return taRightJustify;
    default:
        return taLeftJustify;
    }
}

QString TTitleValueFormat::TimeSeparator()
{
    const QString Format = QLocale().timeFormat(QLocale::ShortFormat);
    qsizetype Hour = 0;
    while (Hour < Format.size() && Format[Hour] != u'h' && Format[Hour] != u'H')
        ++Hour;
    qsizetype HourEnd = Hour;
    while (HourEnd < Format.size() && (Format[HourEnd] == u'h' || Format[HourEnd] == u'H'))
        ++HourEnd;
    const qsizetype Minute = Format.indexOf(QLatin1Char('m'), HourEnd);
    if (Hour == Format.size() || Minute <= HourEnd)
        return QStringLiteral(":");
    const QString Between = Format.mid(HourEnd, Minute - HourEnd);
    for (const QChar Character : Between)
        if (Character.isLetter() || Character == u'\'')
            return QStringLiteral(":");
    return Between;
}

QString TTitleValueFormat::FormatCreateTime(const QDateTime& Time)
{
    // Every title written within one second records the same time, and asking the locale
    // for its separator costs more than all the rest of a title's settings.
    struct TLast
    {
        QDate Date;
        QTime Clock;
        QLocale Locale;
        QString Text;
    };
    thread_local TLast Last;
    const QDate Date = Time.date();
    const QTime Clock = Time.time();
    const QLocale Locale;
    if (!Last.Text.isEmpty() && Last.Date == Date && Last.Clock == Clock && Last.Locale == Locale)
        return Last.Text;
    Last = {Date, Clock, Locale, FormatDayAndTime(Date, Clock)};
    return Last.Text;
}
