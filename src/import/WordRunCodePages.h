#pragma once

#include "WordCharacterProperties.h"
#include "WordStyleSheet.h"

#include <QByteArrayView>
#include <QList>

// The code page of each run of a Word 6.0 / Word 95 document's 8-bit text. Such text is in
// the code page of its font's character set: the run's own font, else its character
// style's, else its paragraph style's, else the document's default font. Where the font
// names no code page of its own (or the document has no font table), the text is in the
// code page that the document's information block gives.
class TWordRunCodePages
{
public:
    // Sttbfffn and Stsh are the font table and the style sheet, empty when the document
    // has none.
    TWordRunCodePages(quint16 DocumentCodePage, QByteArrayView Sttbfffn, QByteArrayView Stsh);

    // Whether runs that set no font of their own take different code pages in paragraphs
    // of different styles.
    bool DependsOnParagraphStyle() const noexcept { return FDependsOnParagraphStyle; }

    quint16 Of(const TWordCharacterProperties& Run, quint16 ParagraphStyle) const;

private:
    quint16 OfFont(qint32 Font) const;

    quint16 FDocumentCodePage;
    QList<quint16> FFontCodePages;
    TWordStyleSheet FStyles;
    bool FDependsOnParagraphStyle = false;
};
