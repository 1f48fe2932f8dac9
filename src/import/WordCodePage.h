#pragma once

#include <QtGlobal>

// The code pages of the 8-bit text of a Word 6.0 or Word 95 document. Such a document
// names no code page: its block gives the Windows character set of the text, or leaves
// it to the language of the Word that saved it, whose Windows code page the text is in;
// and each font of its font table names the character set of the runs written in it.
class TWordCodePage
{
public:
    // The Windows code page number (10000 for Macintosh text) for the character set and
    // language that the document's information block gives.
    static quint16 Of(quint16 CharacterSet, quint16 Language);

    // The code page of the runs in a font of this character set. The Western set (the
    // value of fonts saved without a script of their own) and the sets that name no code
    // page leave the text in the document's code page.
    static quint16 OfFont(quint16 FontCharacterSet, quint16 DocumentCodePage);
};
