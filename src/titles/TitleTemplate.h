#pragma once

#include "XMLTitleDocumentType.h"

#include <QString>

// A title template parsed once and filled again for every title written from it.
//
// The writer overwrites the same elements for every title, and a value is always
// stored in one canonical form, so a reused template gives exactly the bytes a fresh
// load of the file would; an element that the template lacks is appended by the first
// fill and found again by the following ones, in the place a fresh load would put it.
// The generation run therefore loads the template once per run instead of once per
// subtitle.
//
// Not thread-safe: a template is filled by one thread at a time.
class TTitleTemplate
{
public:
    // Loads FileName with LoadTitleDocument; its errors pass through.
    explicit TTitleTemplate(const QString& FileName);
    explicit TTitleTemplate(TXMLTitleDocumentType Document);

    const QString& FileName() const { return FFileName; }
    TXMLTitleDocumentType Document() const { return FDocument; }

private:
    QString FFileName;
    TXMLTitleDocumentType FDocument;
};
