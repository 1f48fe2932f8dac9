#include "ProductInfo.h"

QString TProductInfo::Name()
{
    return QStringLiteral("Nuvex 字幕机");
}

QString TProductInfo::Version()
{
    return QStringLiteral(NUVEX_VERSION);
}

QString TProductInfo::Title()
{
    return Name() + QLatin1Char(' ') + Version();
}

QString TProductInfo::MachineName()
{
    return QStringLiteral("nuvex-subtitle-maker");
}
