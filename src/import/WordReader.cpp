#include "WordReader.h"

#include "CompoundFile.h"
#include "DocumentError.h"
#include "DocxParser.h"
#include "EncryptedPackage.h"
#include "OfficeContent.h"
#include "WordBinaryParser.h"

QStringList TWordReader::Parse(const QByteArray& Content, const QString& FileName, const QString& Password)
{
    switch (TOfficeContent::Sniff(Content))
    {
    case TOfficeContent::TKind::Zip:
        return TDocxParser::Parse(Content, FileName);
    case TOfficeContent::TKind::CompoundFile:
    {
        const TCompoundFile Compound(Content, FileName);
        if (TEncryptedPackage::IsEncryptedPackage(Compound))
            return TDocxParser::Parse(TEncryptedPackage::Decrypt(Compound, QStringList{Password}, FileName), FileName);
        return TWordBinaryParser::Parse(Compound, Password, FileName);
    }
    case TOfficeContent::TKind::Unknown:
        break;
    }
    throw EDocument(QStringLiteral("Érvénytelen dokumentum formátum: %1.").arg(FileName));
}
