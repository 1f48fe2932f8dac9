#pragma once

#include "DocumentReader.h"

// A Word document: one line per paragraph. The content decides the format, whatever the
// extension says: a ZIP package is read as .docx, a compound file as a Word 97-2003
// document or as an encrypted .docx.
class TWordReader : public TDocumentReader
{
protected:
    QStringList Parse(const QByteArray& Content, const QString& FileName, const QString& Password) override;
};
