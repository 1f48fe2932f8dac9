#pragma once

#include <QString>

#include <memory>

class TSubtitleItem;

// Reads a title file back into subtitle settings, so that an edited title can be shown
// and rewritten with the settings it was written with.
class TTitleReader
{
public:
    // A new item, as plain construction leaves it, filled from the title file: text
    // (LF read back as CR LF) and line count, text alignment, edge, colours, edge
    // widths, font, styles and frame size. Box placement, width, LineMaximum and output
    // settings are not in the file and stay empty. A missing or non-integer integer
    // value fails the read (EConvertError naming element and file).
    static std::unique_ptr<TSubtitleItem> Read(const QString& TitleFileName);
};
