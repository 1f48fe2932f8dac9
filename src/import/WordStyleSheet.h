#pragma once

#include <QByteArrayView>
#include <QList>

// The fonts of the styles of a Word 6.0 / Word 95 document (its stsh): the font that each
// paragraph or character style gives its text, itself or through the styles it is based
// on, and the document's default font.
class TWordStyleSheet
{
public:
    static constexpr qint32 None = -1;

    TWordStyleSheet() = default;

    // Reads what can be read: a damaged style gives no font, and the styles after a damaged
    // entry are missing.
    explicit TWordStyleSheet(QByteArrayView Stsh);

    qsizetype Count() const noexcept { return FStyles.size(); }
    bool IsParagraphStyle(qsizetype Istd) const;
    // The font of style Istd, None when neither it nor a style it is based on sets one, and
    // for styles the sheet does not hold.
    qint32 Font(qint32 Istd) const;
    // The font of text whose styles set none.
    qint32 DefaultFont() const noexcept { return FDefaultFont; }

private:
    struct TStyle
    {
        bool Paragraph = false;
        quint16 Base = 0x0FFF; // none
        qint32 Font = None;    // its own, then through its bases
    };

    static TStyle Read(QByteArrayView Std, qsizetype BaseSize);
    void ResolveBases();

    QList<TStyle> FStyles;
    qint32 FDefaultFont = 0;
};
