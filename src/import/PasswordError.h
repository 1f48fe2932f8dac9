#pragma once

#include "DocumentError.h"

#include <QString>

// The two password failures of encrypted documents, worded the same for every format.
class TPasswordError
{
public:
    static EDocument Missing(const QString& FileName);
    static EDocument Wrong(const QString& FileName);
};
