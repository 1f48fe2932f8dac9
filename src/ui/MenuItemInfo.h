#pragma once

#include <QIcon>
#include <QString>

// What the menu drawing needs to know of one item, whichever menu it comes from.
struct TMenuItemInfo
{
    // "&" marks the next character as the keyboard accelerator; "-" alone is a separator.
    QString Caption;
    // The key combination as the desktop names it ("Ctrl+N"); empty when there is none.
    QString Shortcut;
    // A null icon means the item has no image, and then its gutter has no outline.
    QIcon Icon;
    bool Enabled = true;
    bool Separator = false;

    bool IsSeparator() const { return Separator || Caption == QLatin1String("-"); }
};
