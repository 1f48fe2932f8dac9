#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

struct zip;

// A ZIP package (an Office Open XML document) read from memory. Every part read counts
// against a limit of its own and against one for the whole package, checked while the
// part inflates, so that a small file cannot make the reader inflate gigabytes.
class TZipPackage
{
public:
    // A parsed part takes up to about 25 times its size (a node of the XML tree for
    // every "<a/>" and every character between them), so this bounds the reader below
    // a gigabyte; a subtitle source's largest part is a few megabytes.
    static constexpr qint64 DefaultEntryLimit = qint64(32) << 20;
    static constexpr qint64 DefaultTotalLimit = qint64(1) << 30;

    // Fails with EDocument when Bytes are no ZIP archive.
    TZipPackage(const QByteArray& Bytes, const QString& FileName, qint64 EntryLimit = DefaultEntryLimit,
        qint64 TotalLimit = DefaultTotalLimit);
    ~TZipPackage();

    TZipPackage(const TZipPackage&) = delete;
    TZipPackage& operator=(const TZipPackage&) = delete;

    // Part names compare without regard to case, as the package format wants.
    bool HasEntry(const QString& Name) const;
    QByteArray Read(const QString& Name);

    const QString& FileName() const noexcept { return FFileName; }

private:
    struct TArchiveCloser
    {
        void operator()(zip* Archive) const noexcept;
    };

    qint64 Locate(const QString& Name) const;

    QByteArray FBytes; // libzip reads straight from this buffer, so it lives as long as the archive
    QString FFileName;
    qint64 FEntryLimit;
    qint64 FTotalLimit;
    qint64 FTotalRead = 0;
    std::unique_ptr<zip, TArchiveCloser> FArchive;
};
