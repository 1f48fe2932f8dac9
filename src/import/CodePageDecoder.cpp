#include "CodePageDecoder.h"

#include "UnsupportedFormatError.h"

namespace
{
// The converter name of a Windows code page number, as ICU knows it.
QByteArray ConverterName(quint16 CodePage)
{
    switch (CodePage)
    {
    // Plain ASCII as the file declares it, read by its Western superset so that stray
    // 8-bit characters survive; 32769 is the name older Excel versions gave to 1252.
    case 367:
    case 20127:
    case 32769:
        return QByteArrayLiteral("windows-1252");
    case 932:
        return QByteArrayLiteral("windows-31j");
    case 936:
        return QByteArrayLiteral("GBK");
    case 10000:
    case 32768:
        return QByteArrayLiteral("macintosh");
    case 10006:
        return QByteArrayLiteral("x-mac-greek");
    case 10007:
        return QByteArrayLiteral("x-mac-cyrillic");
    case 10029:
        return QByteArrayLiteral("x-mac-centraleurroman");
    case 10081:
        return QByteArrayLiteral("x-mac-turkish");
    case 65001:
        return QByteArrayLiteral("UTF-8");
    default:
        break;
    }
    if (CodePage == 874 || CodePage == 949 || CodePage == 950 || (CodePage >= 1250 && CodePage <= 1258))
        return "windows-" + QByteArray::number(CodePage);
    // The DOS code pages (437, 850, 852, 866 ...).
    return "cp" + QByteArray::number(CodePage);
}
} // namespace

TCodePageDecoder::TCodePageDecoder(quint16 CodePage)
    : FLatin1(CodePage == 1200)
{
    if (FLatin1)
        return;
    FDecoder = QStringDecoder(ConverterName(CodePage).constData(), QStringConverter::Flag::Stateless);
    if (!FDecoder.isValid())
        throw EUnsupportedFormat(QStringLiteral("它的文字使用代码页 %1，本系统无法解码").arg(CodePage));
}

QString TCodePageDecoder::Decode(QByteArrayView Bytes)
{
    if (FLatin1)
        return QString::fromLatin1(Bytes.data(), Bytes.size());
    return FDecoder.decode(Bytes);
}
