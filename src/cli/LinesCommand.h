#pragma once

#include <QString>

#include <cstdio>

// "lines": prints, one per line in UTF-8, the lines the document reader delivers.
class TLinesCommand
{
public:
    TLinesCommand(QString DocumentFileName, QString Password);
    void Run(std::FILE* Output);

private:
    QString FDocumentFileName;
    QString FPassword;
};
