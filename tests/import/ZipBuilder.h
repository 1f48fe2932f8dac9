#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QPair>
#include <QString>
#include <QTemporaryDir>

#include <zip.h>

#include <ctime>
#include <memory>
#include <stdexcept>

// Writes a ZIP archive with the given entries (deflated) and returns its bytes, so tests can
// build the packages they need instead of keeping binary files. Entries carry a fixed time
// stamp, so the same entries give the same bytes on every call, whenever the clock ticks.
inline QByteArray MakeZip(const QList<QPair<QString, QByteArray>>& Entries)
{
    QTemporaryDir Dir;
    const QByteArray Path = Dir.filePath(QStringLiteral("t.zip")).toLocal8Bit();
    int Error = 0;
    zip_t* Archive = zip_open(Path.constData(), ZIP_CREATE | ZIP_TRUNCATE, &Error);
    if (!Archive)
        throw std::runtime_error("zip_open failed");
    for (const auto& [Name, Data] : Entries)
    {
        constexpr time_t FixedTime = 1735689600; // 2025-01-01 00:00 UTC
        zip_source_t* Source = zip_source_buffer(Archive, Data.constData(), zip_uint64_t(Data.size()), 0);
        const zip_int64_t Index =
            Source ? zip_file_add(Archive, Name.toUtf8().constData(), Source, ZIP_FL_ENC_UTF_8) : -1;
        if (Index < 0)
        {
            zip_source_free(Source);
            zip_discard(Archive);
            throw std::runtime_error("zip_file_add failed");
        }
        if (zip_file_set_mtime(Archive, zip_uint64_t(Index), FixedTime, 0) != 0)
        {
            zip_discard(Archive);
            throw std::runtime_error("zip_file_set_mtime failed");
        }
    }
    if (zip_close(Archive) != 0)
    {
        zip_discard(Archive);
        throw std::runtime_error("zip_close failed");
    }
    QFile File(QString::fromLocal8Bit(Path));
    if (!File.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read the written zip");
    return File.readAll();
}
