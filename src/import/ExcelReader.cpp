#include "ExcelReader.h"

#include "DocumentError.h"
#include "XlsxParser.h"
#include "OfficeContent.h"

#if __has_include("import/CompoundFile.h")
#include "import/CompoundFile.h"
#define NUVEX_HAS_COMPOUND_FILE 1
#if __has_include("import/EncryptedPackage.h")
#include "import/EncryptedPackage.h"
#define NUVEX_HAS_ENCRYPTED_PACKAGE 1
#endif
#if __has_include("import/ExcelBinaryParser.h")
#include "import/ExcelBinaryParser.h"
#define NUVEX_HAS_BINARY_PARSER 1
#endif
#endif

namespace
{
[[maybe_unused]] EError NotSupported(const QString& FileName, const QString& What)
{
    return EError(QStringLiteral("暂不支持读取%1：'%2'。").arg(What, FileName));
}
} // namespace

QStringList TExcelReader::Parse(const QByteArray& Content, const QString& FileName, [[maybe_unused]] const QString& Password)
{
    switch (TOfficeContent::Sniff(Content))
    {
    case TOfficeContent::TKind::Zip:
        return TXlsxParser::Parse(Content, FileName);
    case TOfficeContent::TKind::CompoundFile:
    {
#ifdef NUVEX_HAS_COMPOUND_FILE
        const TCompoundFile Compound(Content, FileName);
#ifdef NUVEX_HAS_ENCRYPTED_PACKAGE
        if (TEncryptedPackage::IsEncryptedPackage(Compound))
        {
            // Excel encrypts workbooks that are only write-protected with this fixed password.
            QStringList Passwords{QStringLiteral("VelvetSweatshop")};
            if (!Password.isEmpty())
                Passwords.prepend(Password);
            return TXlsxParser::Parse(TEncryptedPackage::Decrypt(Compound, Passwords, FileName), FileName);
        }
#endif
#ifdef NUVEX_HAS_BINARY_PARSER
        return TExcelBinaryParser::Parse(Compound, Password, FileName);
#else
        throw NotSupported(FileName, QStringLiteral("97-2003 格式的文档"));
#endif
#else
        throw NotSupported(FileName, QStringLiteral("复合文档格式（97-2003 格式或加密的文档）"));
#endif
    }
    case TOfficeContent::TKind::Unknown:
        break;
    }
    throw EDocument(QStringLiteral("Érvénytelen dokumentum formátum: %1.").arg(FileName));
}
