#include "RtfKeyword.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace
{
using TAction = TRtfKeyword::TAction;

struct TEntry
{
    std::string_view Word;
    TAction Action;
    char16_t Value = 0;
};

// Sorted by word, for the binary search below.
constexpr std::array Keywords{
    TEntry{"af", TAction::AssociatedFont},
    TEntry{"aftncn", TAction::Skip},
    TEntry{"aftnsep", TAction::Skip},
    TEntry{"aftnsepc", TAction::Skip},
    TEntry{"annotation", TAction::Skip},
    TEntry{"ansi", TAction::FixedCodePage, 1252},
    TEntry{"ansicpg", TAction::CodePage},
    TEntry{"atnauthor", TAction::Skip},
    TEntry{"atndate", TAction::Skip},
    TEntry{"atnicn", TAction::Skip},
    TEntry{"atnid", TAction::Skip},
    TEntry{"atnparent", TAction::Skip},
    TEntry{"atnref", TAction::Skip},
    TEntry{"atntime", TAction::Skip},
    TEntry{"atrfend", TAction::Skip},
    TEntry{"atrfstart", TAction::Skip},
    TEntry{"author", TAction::Skip},
    TEntry{"background", TAction::Skip},
    TEntry{"bin", TAction::Binary},
    TEntry{"bkmkend", TAction::Skip},
    TEntry{"bkmkstart", TAction::Skip},
    TEntry{"bullet", TAction::Character, 0x2022},
    TEntry{"buptim", TAction::Skip},
    TEntry{"category", TAction::Skip},
    TEntry{"cell", TAction::Cell},
    TEntry{"colortbl", TAction::Skip},
    TEntry{"column", TAction::Break},
    TEntry{"comment", TAction::Skip},
    TEntry{"company", TAction::Skip},
    TEntry{"cpg", TAction::FontCodePage},
    TEntry{"creatim", TAction::Skip},
    TEntry{"dbch", TAction::CharacterKind, 2},
    TEntry{"deff", TAction::DefaultFont},
    TEntry{"deleted", TAction::Deleted},
    TEntry{"do", TAction::Skip},
    TEntry{"doccomm", TAction::Skip},
    TEntry{"docvar", TAction::Skip},
    TEntry{"emdash", TAction::Character, 0x2014},
    TEntry{"emspace", TAction::Character, 0x2003},
    TEntry{"endash", TAction::Character, 0x2013},
    TEntry{"enspace", TAction::Character, 0x2002},
    TEntry{"f", TAction::Font},
    TEntry{"falt", TAction::Skip},
    TEntry{"fchars", TAction::Skip},
    TEntry{"fcharset", TAction::CharacterSet},
    TEntry{"filetbl", TAction::Skip},
    TEntry{"fldinst", TAction::Skip},
    TEntry{"fontemb", TAction::Skip},
    TEntry{"fontfile", TAction::Skip},
    TEntry{"fonttbl", TAction::FontTable},
    TEntry{"footer", TAction::Skip},
    TEntry{"footerf", TAction::Skip},
    TEntry{"footerl", TAction::Skip},
    TEntry{"footerr", TAction::Skip},
    TEntry{"footnote", TAction::Skip},
    TEntry{"ftncn", TAction::Skip},
    TEntry{"ftnsep", TAction::Skip},
    TEntry{"ftnsepc", TAction::Skip},
    TEntry{"header", TAction::Skip},
    TEntry{"headerf", TAction::Skip},
    TEntry{"headerl", TAction::Skip},
    TEntry{"headerr", TAction::Skip},
    TEntry{"hich", TAction::CharacterKind, 1},
    TEntry{"hlinkbase", TAction::Skip},
    TEntry{"info", TAction::Skip},
    TEntry{"keywords", TAction::Skip},
    TEntry{"lchars", TAction::Skip},
    TEntry{"ldblquote", TAction::Character, 0x201C},
    TEntry{"line", TAction::Character, u' '},
    TEntry{"listoverridetable", TAction::Skip},
    TEntry{"listtable", TAction::Skip},
    TEntry{"listtext", TAction::Skip},
    TEntry{"loch", TAction::CharacterKind, 0},
    TEntry{"lquote", TAction::Character, 0x2018},
    TEntry{"ltrch", TAction::RightToLeft, 0},
    TEntry{"ltrmark", TAction::Character, 0x200E},
    TEntry{"mac", TAction::FixedCodePage, 10000},
    TEntry{"manager", TAction::Skip},
    TEntry{"nestcell", TAction::Cell},
    TEntry{"nestrow", TAction::Row},
    TEntry{"nonesttables", TAction::Skip},
    TEntry{"nonshppict", TAction::Skip},
    TEntry{"objalias", TAction::Skip},
    TEntry{"objclass", TAction::Skip},
    TEntry{"objdata", TAction::Skip},
    TEntry{"objname", TAction::Skip},
    TEntry{"objsect", TAction::Skip},
    TEntry{"objtime", TAction::Skip},
    TEntry{"operator", TAction::Skip},
    TEntry{"page", TAction::Break},
    TEntry{"panose", TAction::Skip},
    TEntry{"par", TAction::Paragraph},
    TEntry{"pc", TAction::FixedCodePage, 437},
    TEntry{"pca", TAction::FixedCodePage, 850},
    TEntry{"pict", TAction::Skip},
    TEntry{"plain", TAction::Plain},
    TEntry{"pn", TAction::Skip},
    TEntry{"pnseclvl", TAction::Skip},
    TEntry{"pntext", TAction::Skip},
    TEntry{"pntxta", TAction::Skip},
    TEntry{"pntxtb", TAction::Skip},
    TEntry{"printim", TAction::Skip},
    TEntry{"private", TAction::Skip},
    TEntry{"qmspace", TAction::Character, 0x2005},
    TEntry{"rdblquote", TAction::Character, 0x201D},
    TEntry{"revtbl", TAction::Skip},
    TEntry{"revtim", TAction::Skip},
    TEntry{"row", TAction::Row},
    TEntry{"rquote", TAction::Character, 0x2019},
    TEntry{"rsidtbl", TAction::Skip},
    TEntry{"rtlch", TAction::RightToLeft, 1},
    TEntry{"rtlmark", TAction::Character, 0x200F},
    TEntry{"rxe", TAction::Skip},
    TEntry{"sect", TAction::Break},
    TEntry{"shpinst", TAction::Skip},
    TEntry{"shprslt", TAction::Skip},
    TEntry{"stylesheet", TAction::Skip},
    TEntry{"subject", TAction::Skip},
    TEntry{"tab", TAction::Character, u'\t'},
    TEntry{"tc", TAction::Skip},
    TEntry{"template", TAction::Skip},
    TEntry{"title", TAction::Skip},
    TEntry{"txe", TAction::Skip},
    TEntry{"u", TAction::Unicode},
    TEntry{"uc", TAction::UnicodeSkip},
    TEntry{"ud", TAction::UnicodeText},
    TEntry{"upr", TAction::AlternateText},
    TEntry{"userprops", TAction::Skip},
    TEntry{"v", TAction::Hidden},
    TEntry{"xe", TAction::Skip},
    TEntry{"xmlnstbl", TAction::Skip},
    TEntry{"zwbo", TAction::Character, 0x200B},
    TEntry{"zwj", TAction::Character, 0x200D},
    TEntry{"zwnj", TAction::Character, 0x200C},
};

static_assert(std::is_sorted(Keywords.begin(), Keywords.end(),
    [](const TEntry& A, const TEntry& B) { return A.Word < B.Word; }));
} // namespace

TRtfKeyword TRtfKeyword::Find(QByteArrayView Word) noexcept
{
    const std::string_view Name(Word.data(), size_t(Word.size()));
    const auto Found = std::lower_bound(
        Keywords.begin(), Keywords.end(), Name, [](const TEntry& Entry, std::string_view Key) { return Entry.Word < Key; });
    if (Found == Keywords.end() || Found->Word != Name)
        return {};
    return {Found->Action, Found->Value};
}
