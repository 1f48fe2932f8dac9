#include "TextFileDecoder.h"

#include "DocumentError.h"

#include <QStringDecoder>

namespace
{
constexpr QStringConverter::Flags DecoderFlags =
    QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;

bool StartsWith(const QByteArray& Content, const char* Mark, qsizetype Length)
{
    return Content.size() >= Length && std::equal(Mark, Mark + Length, Content.constData());
}

// Calls Line(Start, Length) for every line of Text, as SplitLines describes them.
template <typename TLine>
void ForEachLine(const QString& Text, TLine Line)
{
    qsizetype End = Text.indexOf(QChar(u'\0'));
    if (End < 0)
        End = Text.size();

    const QChar* Data = Text.constData();
    qsizetype Start = 0;
    qsizetype I = 0;
    while (I < End)
    {
        const char16_t C = Data[I].unicode();
        if (C != u'\r' && C != u'\n')
        {
            ++I;
            continue;
        }
        Line(Start, I - Start);
        ++I;
        if (C == u'\r' && I < End && Data[I] == u'\n')
            ++I;
        Start = I;
    }
    if (Start < End)
        Line(Start, End - Start);
}

QString DecodeWith(QStringConverter::Encoding Encoding, QByteArrayView Bytes)
{
    QStringDecoder Decoder(Encoding, DecoderFlags);
    return Decoder.decode(Bytes);
}
} // namespace

TTextFileDecoder::TTextFileDecoder(const QByteArray& LegacyCodec)
    : FLegacyCodec(LegacyCodec.isEmpty() ? SystemLegacyCodec() : LegacyCodec)
{
}

QString TTextFileDecoder::Decode(const QByteArray& Content, const QString& FileName) const
{
    const QByteArrayView Bytes(Content);
    if (StartsWith(Content, "\xFF\xFE", 2))
        return DecodeWith(QStringConverter::Utf16LE, Bytes.sliced(2));
    if (StartsWith(Content, "\xFE\xFF", 2))
        return DecodeWith(QStringConverter::Utf16BE, Bytes.sliced(2));
    if (StartsWith(Content, "\xEF\xBB\xBF", 3))
        return DecodeWith(QStringConverter::Utf8, Bytes.sliced(3));

    QStringDecoder Utf8(QStringConverter::Utf8, DecoderFlags);
    QString Text = Utf8.decode(Bytes);
    if (!Utf8.hasError())
        return Text;

    QStringDecoder Legacy(FLegacyCodec.constData(), DecoderFlags);
    if (!Legacy.isValid())
        throw EDocument(QStringLiteral("无法读取文件 '%1'：系统不支持字符编码 '%2'。")
                            .arg(FileName, QString::fromLatin1(FLegacyCodec)));
    return Legacy.decode(Bytes);
}

std::optional<QStringList> TTextFileDecoder::DecodeLines(
    const QByteArray& Content, const QString& FileName, qsizetype MaximumLines) const
{
    const QString Text = Decode(Content, FileName);
    if (CountLines(Text) > MaximumLines)
        return std::nullopt;
    return SplitLines(Text);
}

QStringList TTextFileDecoder::SplitLines(const QString& Text)
{
    QStringList Lines;
    ForEachLine(Text, [&Lines, &Text](qsizetype Start, qsizetype Length) { Lines.append(Text.mid(Start, Length)); });
    return Lines;
}

qsizetype TTextFileDecoder::CountLines(const QString& Text)
{
    qsizetype Count = 0;
    ForEachLine(Text, [&Count](qsizetype, qsizetype) { ++Count; });
    return Count;
}

QByteArray TTextFileDecoder::LegacyCodecForLocale(const QLocale& Locale)
{
    switch (Locale.language())
    {
    case QLocale::Chinese:
    {
        const QLocale::Territory Territory = Locale.territory();
        if (Territory == QLocale::Taiwan || Territory == QLocale::HongKong || Territory == QLocale::Macao
            || Locale.script() == QLocale::TraditionalChineseScript)
            return "Big5";
        return "GB18030";
    }
    case QLocale::Japanese:
        return "Shift_JIS";
    case QLocale::Korean:
        return "windows-949";
    case QLocale::Thai:
        return "windows-874";
    case QLocale::Hungarian:
    case QLocale::Polish:
    case QLocale::Czech:
    case QLocale::Slovak:
    case QLocale::Slovenian:
    case QLocale::Croatian:
    case QLocale::Romanian:
    case QLocale::Albanian:
    case QLocale::Bosnian:
        return "windows-1250";
    case QLocale::Serbian:
        return Locale.script() == QLocale::LatinScript ? "windows-1250" : "windows-1251";
    case QLocale::Russian:
    case QLocale::Ukrainian:
    case QLocale::Belarusian:
    case QLocale::Bulgarian:
    case QLocale::Macedonian:
    case QLocale::Kazakh:
    case QLocale::Mongolian:
        return "windows-1251";
    case QLocale::Greek:
        return "windows-1253";
    case QLocale::Turkish:
    case QLocale::Azerbaijani:
        return "windows-1254";
    case QLocale::Hebrew:
        return "windows-1255";
    case QLocale::Arabic:
    case QLocale::Persian:
    case QLocale::Urdu:
        return "windows-1256";
    case QLocale::Estonian:
    case QLocale::Latvian:
    case QLocale::Lithuanian:
        return "windows-1257";
    case QLocale::Vietnamese:
        return "windows-1258";
    default:
        return "windows-1252";
    }
}

QByteArray TTextFileDecoder::SystemLegacyCodec()
{
    return LegacyCodecForLocale(QLocale::system());
}
