#pragma once

#include "TitleFill.h"
#include "TitleImage.h"
#include "XMLTitleDocumentType.h"

#include <QString>

#include <optional>

// A title template parsed once and filled again for every title written from it.
//
// The writer overwrites the same elements for every title, and a value is always
// stored in one canonical form, so a reused template gives exactly the bytes a fresh
// load of the file would; an element that the template lacks is appended by the first
// fill and found again by the following ones, in the place a fresh load would put it.
// The generation run therefore loads the template once per run instead of once per
// subtitle. Titles written one after another mostly share their settings, so the
// template remembers the fill it holds and the writer fills it only when that changes;
// whoever changes those elements otherwise must forget the fill. The image of the
// document printed for the titles goes with the fill.
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

    // The fill the document holds, if known.
    const std::optional<TTitleFill>& CurrentFill() const { return FCurrentFill; }
    void SetCurrentFill(std::optional<TTitleFill> Fill)
    {
        FCurrentFill = std::move(Fill);
        FChanging.reset();
        FImage.reset();
    }

    using TFindElements = std::vector<TXMLTitleNode> (*)(const TXMLTitleDocumentType& Document);
    // The elements that change from one title of the current fill to the next, as Find
    // gives them; Find runs once per fill, and every call must pass the same Find.
    const std::vector<TXMLTitleNode>& Changing(TFindElements Find);

    // The title file's bytes for the document as it stands (SaveTitleDocument's). Under
    // one fill only the Changing elements may change between two calls: the rest is
    // printed once per fill (TTitleImage).
    QByteArray TitleBytes();

private:
    QString FFileName;
    TXMLTitleDocumentType FDocument;
    std::optional<TTitleFill> FCurrentFill;
    std::optional<std::vector<TXMLTitleNode>> FChanging; // of the current fill
    std::optional<TTitleImage> FImage;                   // of the current fill
};
