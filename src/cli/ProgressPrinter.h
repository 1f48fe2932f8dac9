#pragma once

#include <QElapsedTimer>
#include <QString>

#include <cstdio>

// Shows the progress of a generation run on standard error: a bar redrawn in place
// when it is a terminal, otherwise a plain line at most every half second, so logs
// of scripted batches stay short.
class TProgressPrinter
{
public:
    explicit TProgressPrinter(std::FILE* Stream);

    void SetDocuments(qint32 Total, qint32 Position);
    void SetLines(qint32 Total, qint32 Position);
    void SetLoading(qint32 Total, qint32 Position);
    // Ends the bar's line so that later messages start on a fresh one.
    void Finish();

private:
    void Show(bool Force);
    QString Text() const;

    std::FILE* FStream;
    bool FTerminal;
    QElapsedTimer FSinceShown;
    bool FShownOnce = false;
    bool FBarDrawn = false;
    qint32 FDocumentsTotal = 0;
    qint32 FDocumentsDone = 0;
    qint32 FLinesTotal = 0;
    qint32 FLinesDone = 0;
    bool FLoading = false;
};
