#pragma once

#include <QByteArrayView>

// What an RTF control word does to the text of the document as read here. Words that
// only format (sizes, colours, spacing ...) are not listed and do nothing.
struct TRtfKeyword
{
    enum class TAction : quint8
    {
        None,
        // A destination whose text is not part of the document's body text: tables of
        // fonts, colours and styles, document information, pictures, field instructions,
        // headers, footers, notes, comments, list numbers ...
        Skip,
        FontTable,
        // The 8-bit copy of a Unicode text ({\upr{8-bit}{\*\ud{Unicode}}}), and the
        // Unicode text itself.
        AlternateText,
        UnicodeText,
        Paragraph,
        Cell,
        Row,
        // A page, column or section break.
        Break,
        // The character in Value.
        Character,
        Unicode,
        UnicodeSkip,
        Binary,
        Font,
        // \af: the font of the kind of characters that follows, unless it is the font of
        // right-to-left text (after \rtlch).
        AssociatedFont,
        // \loch, \hich, \dbch in Value: the characters that follow are low ASCII, high
        // 8-bit or double-byte ones, each kind with its own font.
        CharacterKind,
        // \rtlch (Value 1) and \ltrch.
        RightToLeft,
        DefaultFont,
        CharacterSet,
        FontCodePage,
        // \ansicpg; the fixed code pages of \ansi, \mac, \pc and \pca come in Value.
        CodePage,
        FixedCodePage,
        Hidden,
        Deleted,
        Plain
    };

    TAction Action = TAction::None;
    char16_t Value = 0;

    static TRtfKeyword Find(QByteArrayView Word) noexcept;
};
