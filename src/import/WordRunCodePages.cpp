#include "WordRunCodePages.h"

#include "WordCodePage.h"
#include "WordFontTable.h"

TWordRunCodePages::TWordRunCodePages(quint16 DocumentCodePage, QByteArrayView Sttbfffn, QByteArrayView Stsh)
    : FDocumentCodePage(DocumentCodePage)
    , FStyles(Stsh)
{
    const TWordFontTable Fonts(Sttbfffn);
    FFontCodePages.reserve(Fonts.Count());
    for (qsizetype Font = 0; Font < Fonts.Count(); ++Font)
        FFontCodePages.append(TWordCodePage::OfFont(Fonts.CharacterSet(Font), DocumentCodePage));

    const quint16 Normal = OfFont(FStyles.DefaultFont());
    for (qsizetype Istd = 0; Istd < FStyles.Count() && !FDependsOnParagraphStyle; ++Istd)
        if (FStyles.IsParagraphStyle(Istd))
        {
            const qint32 Font = FStyles.Font(qint32(Istd));
            FDependsOnParagraphStyle = (Font == TWordStyleSheet::None ? Normal : OfFont(Font)) != Normal;
        }
}

quint16 TWordRunCodePages::Of(const TWordCharacterProperties& Run, quint16 ParagraphStyle) const
{
    qint32 Font = Run.Font;
    if (Font == TWordCharacterProperties::None)
        Font = FStyles.Font(Run.Style);
    if (Font == TWordStyleSheet::None)
        Font = FStyles.Font(ParagraphStyle);
    if (Font == TWordStyleSheet::None)
        Font = FStyles.DefaultFont();
    return OfFont(Font);
}

quint16 TWordRunCodePages::OfFont(qint32 Font) const
{
    return Font >= 0 && Font < FFontCodePages.size() ? FFontCodePages[Font] : FDocumentCodePage;
}
