#pragma once

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

    virtual ~TDocumentReader();

    QStringList Read(const QString& FileName, const QString& Password);

    virtual QString Transform(const QString& Line) const;

protected:
    virtual QStringList Parse(const QByteArray& Content, const QString& FileName, const QString& Password) = 0;
};
