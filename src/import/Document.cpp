#include "Document.h"

#include "ExcelReader.h"
#include "MicroDvdReader.h"
#include "PlainTextReader.h"
#include "WordReader.h"

#include "model/InvalidOperation.h"

#include <limits>

TDocument::TDocument(const QByteArray& LegacyCodec)
    : FLegacyCodec(LegacyCodec)
{
}

TDocument::~TDocument() = default;

void TDocument::Load(const QString& FileName)
{
    Load(FileName, QString());
}

void TDocument::Load(const QString& FileName, const QString& Password)
{
    Clear();
    const std::unique_ptr<TDocumentReader> Reader = CreateReader(FileName);
    AddLines(*Reader, Reader->Read(FileName, Password));
}

void TDocument::Load(const QByteArray& Content, const QString& FileName, const QString& Password)
{
    Clear();
    const std::unique_ptr<TDocumentReader> Reader = CreateReader(FileName);
    AddLines(*Reader, Reader->Read(Content, FileName, Password));
}

void TDocument::AddLines(const TDocumentReader& Reader, const QStringList& Lines)
{
    static_assert(TDocumentReader::MaximumLines <= std::numeric_limits<qint32>::max(),
        "the load notification counts lines in 32 bits");

    const qint32 Count = qint32(Lines.size());
    FStrings.reserve(Count);
    bool Stop = false;
    for (qint32 I = 0; I < Count; ++I)
    {
        if (OnLoad)
            OnLoad(Lines.at(I), I + 1, Count, Stop);
        if (Stop)
            break;
        FStrings.append(Reader.Transform(Lines.at(I)));
    }
}

const QString& TDocument::Strings(qsizetype Index) const
{
    if (Index < 0 || Index >= FStrings.size())
        throw EInvalidOp(QStringLiteral("行索引 %1 超出范围（共 %2 行）。").arg(Index).arg(FStrings.size()));
    return FStrings.at(Index);
}

void TDocument::Add(const QString& Line)
{
    FStrings.append(Line);
}

void TDocument::Clear()
{
    FStrings.clear();
}

void TDocument::SetLegacyCodec(const QByteArray& LegacyCodec)
{
    FLegacyCodec = LegacyCodec;
}

QString TDocument::Extension(const QString& FileName)
{
    const qsizetype Slash = FileName.lastIndexOf(u'/');
    const qsizetype Dot = FileName.lastIndexOf(u'.');
    if (Dot < 0 || Dot < Slash)
        return QString();
    QString Extension = FileName.mid(Dot);
    for (QChar& C : Extension)
        if (C >= u'a' && C <= u'z')
            C = QChar(C.unicode() - u'a' + u'A');
    return Extension;
}

std::unique_ptr<TDocumentReader> TDocument::CreateReader(const QString& FileName) const
{
    const QString Ext = Extension(FileName);
    if (Ext == u".DOC" || Ext == u".DOCX")
        return std::make_unique<TWordReader>(FLegacyCodec);
    if (Ext == u".XLS" || Ext == u".XLSX")
        return std::make_unique<TExcelReader>(FLegacyCodec);
    if (Ext == u".SUB")
        return std::make_unique<TMicroDvdReader>(FLegacyCodec);
    return std::make_unique<TPlainTextReader>(FLegacyCodec);
}
