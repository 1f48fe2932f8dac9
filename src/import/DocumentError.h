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
};
