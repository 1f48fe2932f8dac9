#include "ZipPackage.h"

#include "DocumentError.h"

#include "model/FileMessage.h"

#include <zip.h>

namespace
{
struct TSourceFreer
{
    void operator()(zip_source_t* Source) const noexcept { zip_source_free(Source); }
};

struct TFileCloser
{
    void operator()(zip_file_t* File) const noexcept { zip_fclose(File); }
};

struct TZipError
{
    zip_error_t Error;
    TZipError() { zip_error_init(&Error); }
    ~TZipError() { zip_error_fini(&Error); }
    TZipError(const TZipError&) = delete;
    TZipError& operator=(const TZipError&) = delete;
    QString Text() { return QString::fromLocal8Bit(zip_error_strerror(&Error)); }
};

EDocument Damaged(const QString& FileName, const QString& Part, const QString& Reason)
{
    return EDocument(QStringLiteral("文件 '%1' 已损坏，无法读取部件 '%2'：%3。").arg(FileName, Part, Reason));
}
} // namespace

void TZipPackage::TArchiveCloser::operator()(zip* Archive) const noexcept
{
    zip_discard(Archive);
}

TZipPackage::TZipPackage(const QByteArray& Bytes, const QString& FileName, qint64 EntryLimit, qint64 TotalLimit)
    : FBytes(Bytes)
    , FFileName(FileName)
    , FEntryLimit(EntryLimit)
    , FTotalLimit(TotalLimit)
{
    TZipError Error;
    std::unique_ptr<zip_source_t, TSourceFreer> Source(
        zip_source_buffer_create(FBytes.constData(), zip_uint64_t(FBytes.size()), 0, &Error.Error));
    if (!Source)
        throw EDocument(TFileMessage::CannotRead(FileName, Error.Text()));
    FArchive.reset(zip_open_from_source(Source.get(), ZIP_RDONLY, &Error.Error));
    if (!FArchive)
        throw EDocument::InvalidFormat(FileName);
    Source.release(); // the archive owns it now
}

TZipPackage::~TZipPackage() = default;

qint64 TZipPackage::Locate(const QString& Name) const
{
    const QByteArray Utf8 = Name.toUtf8();
    return zip_name_locate(FArchive.get(), Utf8.constData(), ZIP_FL_NOCASE | ZIP_FL_ENC_GUESS);
}

bool TZipPackage::HasEntry(const QString& Name) const
{
    return Locate(Name) >= 0;
}

QByteArray TZipPackage::Read(const QString& Name)
{
    const qint64 Index = Locate(Name);
    if (Index < 0)
        throw Damaged(FFileName, Name, QStringLiteral("找不到该部件"));

    std::unique_ptr<zip_file_t, TFileCloser> File(zip_fopen_index(FArchive.get(), zip_uint64_t(Index), 0));
    if (!File)
        throw Damaged(FFileName, Name, QString::fromLocal8Bit(zip_strerror(FArchive.get())));

    zip_stat_t Stat;
    zip_stat_init(&Stat);
    QByteArray Content;
    // The size in the directory is only a hint: a forged one must not decide the allocation.
    if (zip_stat_index(FArchive.get(), zip_uint64_t(Index), 0, &Stat) == 0 && (Stat.valid & ZIP_STAT_SIZE)
        && Stat.size <= zip_uint64_t(std::min(FEntryLimit, FTotalLimit - FTotalRead)))
        Content.reserve(qsizetype(Stat.size));

    constexpr qint64 ChunkSize = 1 << 16;
    qint64 EntryRead = 0;
    for (;;)
    {
        const qsizetype Old = Content.size();
        Content.resize(Old + ChunkSize);
        const zip_int64_t Got = zip_fread(File.get(), Content.data() + Old, ChunkSize);
        if (Got < 0)
            throw Damaged(FFileName, Name, QString::fromLocal8Bit(zip_file_strerror(File.get())));
        Content.resize(Old + Got);
        if (Got == 0)
            break;
        EntryRead += Got;
        FTotalRead += Got;
        if (EntryRead > FEntryLimit || FTotalRead > FTotalLimit)
            throw EDocument(QStringLiteral("文件 '%1' 的部件 '%2' 解压后过大（超过 %3 字节），拒绝读取。")
                                .arg(FFileName, Name, QString::number(EntryRead > FEntryLimit ? FEntryLimit : FTotalLimit)));
    }
    return Content;
}
