#pragma once

#include "DocumentError.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// One source format. Read loads the whole file into memory and hands it to Parse, which
// gives the lines as the load notification reports them; Transform gives the text that
// the document keeps for such a line.
class TDocumentReader
{
public:
    // Larger files are no subtitle sources, and reading them would only exhaust memory.
    static constexpr qint64 MaximumFileSize = qint64(1) << 30;
    // Far beyond any subtitle source (a feature film has a few thousand lines); a file
    // with more is a mistake or an attack, and its line list alone would fill the memory.
    static constexpr qsizetype MaximumLines = qsizetype(1) << 24;

    virtual ~TDocumentReader();

    // Fails with EDocument naming the file when it holds more than MaximumLines lines or
    // does not fit into memory.
    QStringList Read(const QString& FileName, const QString& Password);
    // The same from the file's bytes already in memory; FileName names it in messages.
    QStringList Read(const QByteArray& Content, const QString& FileName, const QString& Password);

    virtual QString Transform(const QString& Line) const;

    // The file gives more than MaximumLines lines.
    static EDocument TooManyLines(const QString& FileName);

protected:
    virtual QStringList Parse(const QByteArray& Content, const QString& FileName, const QString& Password) = 0;
};
