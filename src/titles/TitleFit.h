#pragma once

#include <QStringView>
#include <QtGlobal>

class TSubtitleItem;

// How a title's widest line stands against its box, measured in the item's font as the
// wrap measures it: a line exactly as wide as BoxWidth still fits. What the wrap cannot
// break (a long address or number) stays wider than the box; an editor needs to find
// such titles among thousands.
class TTitleFit
{
public:
    // The title whose lines are Text (CR LF, lone CR and lone LF break them), shown in
    // Item's font and box.
    static TTitleFit Of(const TSubtitleItem& Item, QStringView Text);

    qint32 WidestLine() const { return FWidestLine; }
    qint32 BoxWidth() const { return FBoxWidth; }
    bool Overflows() const { return FWidestLine > FBoxWidth; }

private:
    TTitleFit(qint32 WidestLine, qint32 BoxWidth) : FWidestLine(WidestLine), FBoxWidth(BoxWidth) {}

    qint32 FWidestLine;
    qint32 FBoxWidth;
};
