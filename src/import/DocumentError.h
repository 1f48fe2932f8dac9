#pragma once

#include "model/Error.h"

// Raised by the source document readers when a file is not a document of the kind its
// extension names, or its content cannot be turned into lines.
class EDocument : public EError
{
public:
    using EError::EError;

    // The file is not a document of the kind its extension names, worded the same for
    // every format.
    static EDocument InvalidFormat(const QString& FileName)
    {
        return EDocument(QStringLiteral("Érvénytelen dokumentum formátum: %1.").arg(FileName));
    }

    // The file is of another known kind, which Format names ("PDF 文件").
    static EDocument NotAWordDocument(const QString& FileName, const QString& Format)
    {
        return EDocument(QStringLiteral("无法读取 Word 文档 '%1'：它是 %2，不是 Word 文档。").arg(FileName, Format));
    }

    static EDocument NotAWorkbook(const QString& FileName, const QString& Format)
    {
        return EDocument(QStringLiteral("无法读取 Excel 工作簿 '%1'：它是 %2，不是 Excel 工作簿。").arg(FileName, Format));
    }
};
