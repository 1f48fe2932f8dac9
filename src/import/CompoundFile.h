#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

struct _GsfInfile;

// An OLE compound file (Word and Excel 97-2003 documents, encrypted Office Open XML
// packages) read from memory through libgsf. Only top-level streams are needed.
class TCompoundFile
{
public:
    static bool IsCompoundFile(const QByteArray& Bytes);

    // Raises EDocument naming the file when Bytes is no readable compound file.
    TCompoundFile(const QByteArray& Bytes, const QString& FileName);
    ~TCompoundFile();
    TCompoundFile(const TCompoundFile&) = delete;
    TCompoundFile& operator=(const TCompoundFile&) = delete;

    // Stream names are compared without regard to case, as the format compares them.
    bool HasStream(const QString& Name) const;
    // The whole stream; raises EDocument naming the file when it is missing, larger
    // than MaximumStreamSize or cannot be read.
    QByteArray ReadStream(const QString& Name) const;

    static constexpr qint64 MaximumStreamSize = 512ll * 1024 * 1024;

private:
    // Index of the top-level entry called Name, or -1.
    int FindStream(const QString& Name) const;

    // libgsf reads from the caller's buffer, so the bytes are kept alive here.
    QByteArray FBytes;
    QString FFileName;
    _GsfInfile* FInfile = nullptr;
};
