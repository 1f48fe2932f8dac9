#pragma once

#include <QStringList>

// How a value cell is edited. Every style accepts typed text; a pick list offers its
// entries besides, and an ellipsis button opens the dialog of the property's type.
class TPropertyEditStyle
{
public:
    enum class TKind
    {
        Plain,
        PickList,
        Ellipsis,
    };

    TKind Kind = TKind::Plain;
    QStringList PickList;
};
