#include "WordReader.h"

#include "CompoundFile.h"
#include "DocumentError.h"
#include "DocxParser.h"
#include "EncryptedPackage.h"
#include "HtmlParser.h"
#include "MhtParser.h"
#include "OfficeContent.h"
#include "PlainTextReader.h"
#include "RtfParser.h"
#include "WordBinaryParser.h"
#include "WordFib.h"
#include "WordStreamParser.h"
#include "WordXml2003Parser.h"

TWordReader::TWordReader(const QByteArray& LegacyCodec)
    : FLegacyCodec(LegacyCodec)
{
}

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
    case TOfficeContent::TKind::Html:
        return THtmlParser::Parse(Content, FileName, FLegacyCodec);
    case TOfficeContent::TKind::Mht:
        return TMhtParser::Parse(Content, FileName, FLegacyCodec);
    case TOfficeContent::TKind::Text:
        return TPlainTextReader(FLegacyCodec).Read(Content, FileName, Password);
    case TOfficeContent::TKind::SpreadsheetXml2003:
        throw EDocument::NotAWordDocument(FileName, QStringLiteral("Excel 2003 XML 工作簿"));
    case TOfficeContent::TKind::Foreign:
        throw EDocument::NotAWordDocument(FileName, TOfficeContent::ForeignFormat(Content));
    case TOfficeContent::TKind::Unknown:
        // Word for Windows 1.x and 2.x wrote plain files, not compound files; the stream
        // parser refuses them with the name of their format.
        if (!TWordFib::OlderFormat(Content).isEmpty())
            return TWordStreamParser::Parse(Content, QByteArray(), Password, FileName);
        break;
    }
    throw EDocument::InvalidFormat(FileName);
}
