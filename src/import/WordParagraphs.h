#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Cuts the main text of a Word 97-2003 document into paragraph lines, the way the .docx
// reader delivers them:
// - a paragraph ends at its mark (0x0D), at a table cell mark (0x07), and at a page,
//   column or section break (0x0C, 0x0E); a break directly followed by a paragraph mark
//   ends one paragraph, not two (Word writes a manual page break as "\f\r");
// - a table row ends with a mark of its own that looks like a cell mark; such a mark
//   whose paragraph is empty and whose properties say "row end" yields no line, so a
//   table gives one line per cell paragraph, empty cells included;
// - of a field only the result (between 0x14 and 0x15) is kept, also when fields nest;
// - a tab stays a tab, a manual line break (0x0B) becomes one blank, a non-breaking
//   hyphen (0x1E) a hyphen; optional hyphens, object anchors and the other control
//   characters are left out;
// - the mark itself is not part of the line, and the final mark gives no empty line.
class TWordParagraphs
{
public:
    // Tells whether the mark at this character position ends a table row.
    using TRowEndTest = std::function<bool(qint64 Position)>;

    static QStringList Split(const QString& Text, const TRowEndTest& IsRowEnd);
};
