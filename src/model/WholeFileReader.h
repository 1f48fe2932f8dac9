#pragma once

#include <QByteArray>
#include <QString>

// Reads a whole file into memory, up to a bound that each kind of file sets for itself:
// a larger file is refused before it can exhaust the memory. Memory is taken for what
// the file holds, never for the bound: a file of known size is read at that size, and
// one that reports no size (pipes, devices, files under /proc) in chunks until its end.
// A file that grows while it is read is read on, up to the bound.
//
// The failures are the caller's to word, through the hooks, which throw. Opening and
// reading fail by default with EOSError naming the file and the system's reason.
class TWholeFileReader
{
public:
    explicit TWholeFileReader(qint64 MaximumSize);
    virtual ~TWholeFileReader();

    qint64 MaximumSize() const { return FMaximumSize; }

    QByteArray Read(const QString& FileName) const;

protected:
    [[noreturn]] virtual void CannotOpen(const QString& FileName, const QString& Reason) const;
    [[noreturn]] virtual void CannotRead(const QString& FileName, const QString& Reason) const;
    // The file holds more than MaximumSize bytes.
    [[noreturn]] virtual void TooLarge(const QString& FileName) const = 0;

private:
    qint64 FMaximumSize;
};
