#include "WordCodePage.h"

#include "CodePageDecoder.h"
#include "WindowsCharacterSet.h"

namespace
{
constexpr quint16 MacintoshCharacterSet = 256;
constexpr quint16 MacintoshCodePage = 10000;
// Smaller values are the locale numbers of the first versions of Word, not languages.
constexpr quint16 FirstLanguageId = 999;

// The Windows code page of a language (a Windows language id: primary language in the
// low ten bits, the variant above them).
quint16 CodePageOfLanguage(quint16 Language)
{
    const quint16 Primary = Language & 0x03FF;
    const quint16 Variant = Language >> 10;
    switch (Primary)
    {
    case 0x05: // Czech
    case 0x0E: // Hungarian
    case 0x15: // Polish
    case 0x18: // Romanian
    case 0x1B: // Slovak
    case 0x1C: // Albanian
    case 0x24: // Slovenian
        return 1250;
    case 0x1A: // Croatian, Bosnian and Serbian: their Cyrillic variants use 1251
        return Variant == 3 || Variant == 7 || Variant == 8 || Variant == 10 || Variant == 12 ? 1251 : 1250;
    case 0x02: // Bulgarian
    case 0x19: // Russian
    case 0x22: // Ukrainian
    case 0x23: // Belarusian
    case 0x28: // Tajik
    case 0x2F: // Macedonian
    case 0x3F: // Kazakh
    case 0x40: // Kyrgyz
    case 0x44: // Tatar
    case 0x50: // Mongolian
        return 1251;
    case 0x2C: // Azerbaijani: Latin 1254, Cyrillic 1251
    case 0x43: // Uzbek: likewise
        return Variant == 2 ? 1251 : 1254;
    case 0x08: // Greek
        return 1253;
    case 0x1F: // Turkish
        return 1254;
    case 0x0D: // Hebrew
    case 0x3D: // Yiddish
        return 1255;
    case 0x01: // Arabic
    case 0x20: // Urdu
    case 0x29: // Persian
        return 1256;
    case 0x25: // Estonian
    case 0x26: // Latvian
    case 0x27: // Lithuanian
        return 1257;
    case 0x2A: // Vietnamese
        return 1258;
    case 0x1E: // Thai
        return 874;
    case 0x11: // Japanese
        return 932;
    case 0x12: // Korean
        return 949;
    case 0x04: // Chinese: Simplified in China and Singapore, Traditional elsewhere
        return Variant == 2 || Variant == 4 ? 936 : 950;
    default:
        return 1252;
    }
}
} // namespace

quint16 TWordCodePage::Of(quint16 CharacterSet, quint16 Language)
{
    if (CharacterSet == MacintoshCharacterSet)
        return MacintoshCodePage;
    if (CharacterSet == TWindowsCharacterSet::Ansi && Language >= FirstLanguageId)
        return CodePageOfLanguage(Language);
    const quint16 CodePage = TWindowsCharacterSet::CodePage(CharacterSet);
    return CodePage != 0 ? CodePage : TCodePageDecoder::WesternEuropean;
}

quint16 TWordCodePage::OfFont(quint16 FontCharacterSet, quint16 DocumentCodePage)
{
    // Fonts chosen without a script record the Western set too, so in a document of
    // another code page it tells nothing; only a set of a script of its own overrides it.
    if (FontCharacterSet == TWindowsCharacterSet::Ansi)
        return DocumentCodePage;
    const quint16 CodePage = TWindowsCharacterSet::CodePage(FontCharacterSet);
    return CodePage != 0 ? CodePage : DocumentCodePage;
}
