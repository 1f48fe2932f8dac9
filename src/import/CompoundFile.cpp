#include "CompoundFile.h"

#include "DocumentError.h"
#include "GsfLog.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-input.h>

namespace {

struct TGObjectRelease
{
    void operator()(gpointer Object) const { g_object_unref(Object); }
};
template <class T>
using TGObject = std::unique_ptr<T, TGObjectRelease>;

struct TErrorRelease
{
    void operator()(GError* Error) const { g_error_free(Error); }
};

const char CompoundSignature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

} // namespace

bool TCompoundFile::IsCompoundFile(const QByteArray& Bytes)
{
    return Bytes.startsWith(QByteArray::fromRawData(CompoundSignature, 8));
}

TCompoundFile::TCompoundFile(const QByteArray& Bytes, const QString& FileName)
    : FBytes(Bytes)
    , FFileName(FileName)
{
    if (!IsCompoundFile(FBytes))
        throw EDocument::InvalidFormat(FileName);
    TGsfLog::Install();
    TGObject<GsfInput> Input(gsf_input_memory_new(reinterpret_cast<const guint8*>(FBytes.constData()),
                                                  gsf_off_t(FBytes.size()), FALSE));
    GError* RawError = nullptr;
    FInfile = gsf_infile_msole_new(Input.get(), &RawError);
    std::unique_ptr<GError, TErrorRelease> Error(RawError);
    if (!FInfile)
        throw EDocument(QStringLiteral("文件 '%1' 已损坏，无法作为复合文档读取：%2。")
                            .arg(FileName, Error ? QString::fromUtf8(Error->message) : QStringLiteral("未知错误")));
}

TCompoundFile::~TCompoundFile()
{
    if (FInfile)
        g_object_unref(FInfile);
}

int TCompoundFile::FindStream(const QString& Name) const
{
    // Entry names compare as the format compares them: shorter names first, then the
    // upper-case forms, so "WORKBOOK", "Book" or "worddocument" written by other programs
    // are the same streams as Excel's and Word's own spelling.
    const QString Wanted = Name.toUpper();
    const int Count = gsf_infile_num_children(FInfile);
    for (int Index = 0; Index < Count; ++Index) {
        const QString Entry = QString::fromUtf8(gsf_infile_name_by_index(FInfile, Index));
        if (Entry.size() == Wanted.size() && Entry.toUpper() == Wanted)
            return Index;
    }
    return -1;
}

bool TCompoundFile::HasStream(const QString& Name) const
{
    return FindStream(Name) >= 0;
}

QByteArray TCompoundFile::ReadStream(const QString& Name) const
{
    const int Index = FindStream(Name);
    TGObject<GsfInput> Stream(Index >= 0 ? gsf_infile_child_by_index(FInfile, Index) : nullptr);
    if (!Stream)
        throw EDocument(QStringLiteral("文件 '%1' 中缺少数据流 '%2'，文件已损坏或不是所需的文档。").arg(FFileName, Name));
    const gsf_off_t Size = gsf_input_size(Stream.get());
    if (Size < 0 || Size > MaximumStreamSize)
        throw EDocument(QStringLiteral("文件 '%1' 中的数据流 '%2' 大小无效。").arg(FFileName, Name));
    QByteArray Data(qsizetype(Size), Qt::Uninitialized);
    if (Size > 0 && !gsf_input_read(Stream.get(), size_t(Size), reinterpret_cast<guint8*>(Data.data())))
        throw EDocument(QStringLiteral("无法读取文件 '%1' 中的数据流 '%2'，文件已损坏。").arg(FFileName, Name));
    return Data;
}
