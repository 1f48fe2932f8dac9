#include "RunSummary.h"

#include "model/SubtitleItem.h"
#include "titles/TitleFit.h"

#include <QDir>

void TRunSummary::Add(const TSubtitleItem& Title, qint32 Part)
{
    ++FTitles;
    if (Part == 2)
        ++FCutSubtitles;
    const TTitleFit Fit = TTitleFit::Of(Title, Title.SubtitleContent());
    if (!Fit.Overflows())
        return;
    ++FOverflowing;
    if (FNamed.size() < NamedOverflows)
        FNamed.push_back({QDir::toNativeSeparators(Title.SubtitleDirectory() + Title.SubtitleFileName()),
                          Fit.WidestLine(), Fit.BoxWidth()});
}

void TRunSummary::Print(std::FILE* Stream) const
{
    const QString Counts = QStringLiteral("已写入 %1 个字幕文件；%2 条字幕分成了多个字幕文件；%3 个字幕文件有超出文本框宽度的行。")
                               .arg(FTitles)
                               .arg(FCutSubtitles)
                               .arg(FOverflowing);
    std::fprintf(Stream, "%s\n", qUtf8Printable(Counts));
    for (const TOverflow& Overflow : FNamed)
        std::fprintf(Stream, "  %s\n",
                     qUtf8Printable(QStringLiteral("%1：行宽 %2 像素，文本框 %3 像素")
                                        .arg(Overflow.Path, QString::number(Overflow.WidestLine),
                                             QString::number(Overflow.BoxWidth))));
    const qint64 Unnamed = FOverflowing - qint64(FNamed.size());
    if (Unnamed > 0)
        std::fprintf(Stream, "  %s\n", qUtf8Printable(QStringLiteral("……另有 %1 个").arg(Unnamed)));
    std::fflush(Stream);
}
