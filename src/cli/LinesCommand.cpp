#include "LinesCommand.h"

#include "import/Document.h"

TLinesCommand::TLinesCommand(QString DocumentFileName, QString Password)
    : FDocumentFileName(std::move(DocumentFileName))
    , FPassword(std::move(Password))
{
}

void TLinesCommand::Run(std::FILE* Output)
{
    TDocument Document;
    Document.Load(FDocumentFileName, FPassword);
    for (qsizetype Index = 0; Index < Document.Count(); ++Index) {
        const QByteArray Line = Document.Strings(Index).toUtf8();
        std::fwrite(Line.constData(), 1, std::size_t(Line.size()), Output);
        std::fputc('\n', Output);
    }
    std::fflush(Output);
}
