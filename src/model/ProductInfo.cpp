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

QString TProductInfo::LegalNotice()
{
    return QStringLiteral("版权所有 © 2026 Nuvex 字幕机开发团队。保留所有权利。\n"
                          "本软件按“原样”提供，不附带任何明示或暗示的担保。");
}

QString TProductInfo::SupportUrl()
{
    return QStringLiteral("https://nuvex-subtitle-maker.org/support");
}

QString TProductInfo::FeedbackAddress()
{
    return QStringLiteral("feedback@nuvex-subtitle-maker.org");
}

QString TProductInfo::MachineName()
{
    return QStringLiteral("nuvex-subtitle-maker");
}
