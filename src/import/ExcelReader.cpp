#include "ExcelReader.h"

#include "CompoundFile.h"
#include "DelimitedTextParser.h"
#include "DocumentError.h"
#include "EncryptedPackage.h"
#include "ExcelBinaryParser.h"
#include "HtmlSheetParser.h"
#include "MhtParser.h"
#include "OfficeContent.h"
#include "PackageDecryptor.h"
#include "SpreadsheetXml2003Parser.h"
#include "XlsxParser.h"

TExcelReader::TExcelReader(const QByteArray& LegacyCodec)
    : FLegacyCodec(LegacyCodec)
{
}

QStringList TExcelReader::Parse(const QByteArray& Content, const QString& FileName, const QString& Password)
{
    switch (TOfficeContent::Sniff(Content))
    {
    case TOfficeContent::TKind::Zip:
        return TXlsxParser::Parse(Content, FileName);
    case TOfficeContent::TKind::CompoundFile:
    {
        const TCompoundFile Compound(Content, FileName);
        if (TEncryptedPackage::IsEncryptedPackage(Compound))
        {
            // Excel encrypts workbooks that are only write-protected with this fixed password.
            QStringList Passwords{TPackageDecryptor::ExcelDefaultPassword.toString()};
            if (!Password.isEmpty())
                Passwords.prepend(Password);
            return TXlsxParser::Parse(TEncryptedPackage::Decrypt(Compound, Passwords, FileName), FileName);
        }
        return TExcelBinaryParser::Parse(Compound, Password, FileName);
    }
    case TOfficeContent::TKind::SpreadsheetXml2003:
        return TSpreadsheetXml2003Parser::Parse(Content, FileName);
    case TOfficeContent::TKind::Html:
        return THtmlSheetParser::Parse(Content, FileName, FLegacyCodec);
    case TOfficeContent::TKind::Mht:
        return TMhtParser::ParseSheet(Content, FileName, FLegacyCodec);
    case TOfficeContent::TKind::Text:
        return TDelimitedTextParser::Parse(Content, FileName, FLegacyCodec);
    case TOfficeContent::TKind::Rtf:
        throw EDocument::NotAWorkbook(FileName, QStringLiteral("RTF 文档"));
    case TOfficeContent::TKind::WordXml2003:
        throw EDocument::NotAWorkbook(FileName, QStringLiteral("Word 2003 XML 文档"));
    case TOfficeContent::TKind::Foreign:
        throw EDocument::NotAWorkbook(FileName, TOfficeContent::ForeignFormat(Content));
    case TOfficeContent::TKind::Unknown:
        TExcelBinaryParser::RefuseOlderFormat(Content, FileName);
        break;
    }
    throw EDocument::InvalidFormat(FileName);
}
