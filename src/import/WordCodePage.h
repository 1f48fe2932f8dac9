#pragma once

#include <QtGlobal>

#include <optional>

// The code page of the 8-bit text of a Word 6.0 or Word 95 document. Such a document
// names no code page: its block gives the Windows character set of the text, or leaves
// it to the language of the Word that saved it, whose Windows code page the text is in.
class TWordCodePage
{
public:
    // The Windows code page number (10000 for Macintosh text) for the character set and
    // language that the document's information block gives.
    static quint16 Of(quint16 CharacterSet, quint16 Language);

    // The code page of a Windows character set, as fonts name it (Word's font table, RTF's
    // \fcharset); none for the default and symbol sets and for sets that name no code
    // page, whose text is in the code page of the document.
    static std::optional<quint16> OfCharacterSet(quint16 CharacterSet);
};
