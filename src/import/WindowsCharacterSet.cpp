#include "WindowsCharacterSet.h"

quint16 TWindowsCharacterSet::CodePage(quint16 CharacterSet) noexcept
{
    switch (CharacterSet)
    {
    case Ansi: return 1252;
    case 77: return 10000;  // Macintosh Roman
    case 78: return 10001;  // Macintosh Japanese
    case 79: return 10003;  // Macintosh Korean
    case 80: return 10008;  // Macintosh Simplified Chinese
    case 81: return 10002;  // Macintosh Traditional Chinese
    case 83: return 10005;  // Macintosh Hebrew
    case 84: return 10004;  // Macintosh Arabic
    case 85: return 10006;  // Macintosh Greek
    case 86: return 10081;  // Macintosh Turkish
    case 87: return 10021;  // Macintosh Thai
    case 88: return 10029;  // Macintosh Central European
    case 89: return 10007;  // Macintosh Cyrillic
    case 128: return 932;   // Shift JIS
    case 129: return 949;   // Hangul
    case 130: return 1361;  // Johab
    case 134: return 936;   // GB 2312
    case 136: return 950;   // Big5
    case 161: return 1253;  // Greek
    case 162: return 1254;  // Turkish
    case 163: return 1258;  // Vietnamese
    case 177: return 1255;  // Hebrew
    case 178: return 1256;  // Arabic
    case 186: return 1257;  // Baltic
    case 204: return 1251;  // Cyrillic
    case 222: return 874;   // Thai
    case 238: return 1250;  // Central European
    case 254: return 437;   // PC 437
    default: return 0;
    }
}
