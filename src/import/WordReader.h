#pragma once

#include "DocumentReader.h"

// A Word document: one line per paragraph. The content decides the format, whatever the
// extension says: a ZIP package is read as .docx, a compound file as a Word 6.0, Word 95
// or Word 97-2003 document or as an encrypted .docx, and RTF and Word 2003 XML documents
// as what they are; a Word 1.x or 2.x file is refused with the name of its format.
class TWordReader : public TDocumentReader
{
protected:
    QStringList Parse(const QByteArray& Content, const QString& FileName, const QString& Password) override;
};
