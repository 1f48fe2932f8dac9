#include "WordReader.h"

#include "CompoundFile.h"
#include "DocumentError.h"
#include "DocxParser.h"
#include "EncryptedPackage.h"
#include "OfficeContent.h"
#include "RtfParser.h"
#include "WordBinaryParser.h"
#include "WordFib.h"
#include "WordStreamParser.h"
#include "WordXml2003Parser.h"

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
    case TOfficeContent::TKind::Rtf:
        return TRtfParser::Parse(Content, FileName);
    case TOfficeContent::TKind::WordXml2003:
        return TWordXml2003Parser::Parse(Content, FileName);
    case TOfficeContent::TKind::SpreadsheetXml2003:
        break;
    case TOfficeContent::TKind::Unknown:
        // Word for Windows 1.x and 2.x wrote plain files, not compound files; the stream
        // parser refuses them with the name of their format.
        if (!TWordFib::OlderFormat(Content).isEmpty())
            return TWordStreamParser::Parse(Content, QByteArray(), Password, FileName);
        break;
    }
    throw EDocument::InvalidFormat(FileName);
}
