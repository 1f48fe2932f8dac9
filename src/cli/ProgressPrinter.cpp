#include "ProgressPrinter.h"

#include <unistd.h>

namespace {

constexpr qint64 TerminalInterval = 100; // ms between redraws of the bar
constexpr qint64 PlainInterval = 500;    // ms between plain progress lines
constexpr int BarWidth = 30;

QString Bar(qint32 Total, qint32 Position)
{
    const int Filled = Total > 0 ? int(qint64(BarWidth) * qBound(0, Position, Total) / Total) : 0;
    return QLatin1Char('[') + QString(Filled, QLatin1Char('#')) + QString(BarWidth - Filled, QLatin1Char('.')) + QLatin1Char(']');
}

} // namespace

TProgressPrinter::TProgressPrinter(std::FILE* Stream)
    : FStream(Stream)
    , FTerminal(::isatty(::fileno(Stream)) == 1)
{
    FSinceShown.start();
}

void TProgressPrinter::SetDocuments(qint32 Total, qint32 Position)
{
    FDocumentsTotal = Total;
    FDocumentsDone = Position;
    Show(true);
}

void TProgressPrinter::SetLines(qint32 Total, qint32 Position)
{
    FLoading = false;
    FLinesTotal = Total;
    FLinesDone = Position;
    Show(Position == Total);
}

void TProgressPrinter::SetLoading(qint32 Total, qint32 Position)
{
    FLoading = true;
    FLinesTotal = Total;
    FLinesDone = Position;
    Show(false);
}

void TProgressPrinter::Finish()
{
    if (FBarDrawn)
        std::fputc('\n', FStream);
    FBarDrawn = false;
    std::fflush(FStream);
}

QString TProgressPrinter::Text() const
{
    const QString Documents = FDocumentsTotal > 0
        ? QStringLiteral("文档 %1/%2").arg(FDocumentsDone).arg(FDocumentsTotal)
        : QStringLiteral("文档");
    const QString Lines = QStringLiteral("%1 %2/%3").arg(FLoading ? QStringLiteral("读取") : QStringLiteral("字幕行"))
                              .arg(FLinesDone)
                              .arg(FLinesTotal);
    if (!FTerminal)
        return Documents + QStringLiteral("，") + Lines;
    return Documents + QLatin1Char(' ') + Bar(FLinesTotal, FLinesDone) + QLatin1Char(' ') + Lines;
}

void TProgressPrinter::Show(bool Force)
{
    const qint64 Interval = FTerminal ? TerminalInterval : PlainInterval;
    if (!Force && FShownOnce && FSinceShown.elapsed() < Interval)
        return;
    FShownOnce = true;
    FSinceShown.restart();
    const QByteArray Line = Text().toUtf8();
    if (FTerminal) {
        // \r and "erase to end of line" redraw the bar in place.
        std::fprintf(FStream, "\r%s\x1b[K", Line.constData());
        FBarDrawn = true;
    } else {
        std::fprintf(FStream, "%s\n", Line.constData());
    }
    std::fflush(FStream);
}
