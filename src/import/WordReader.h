#pragma once

#include "DocumentReader.h"

// A Word document: one line per paragraph. The content decides the format, whatever the
// extension says: a ZIP package is read as .docx, a compound file as a Word 6.0, Word 95
// or Word 97-2003 document or as an encrypted .docx, RTF and Word 2003 XML documents, a web
// page or web archive and plain text as Word opens them; a Word 1.x or 2.x file and files
// of other known kinds are refused with the name of their format.
class TWordReader : public TDocumentReader
{
public:
    // The code page of web pages and text that name none and are no UTF-8; empty means
    // that of the user's locale.
    explicit TWordReader(const QByteArray& LegacyCodec = QByteArray());

protected:
    QStringList Parse(const QByteArray& Content, const QString& FileName, const QString& Password) override;

private:
    QByteArray FLegacyCodec;
};
