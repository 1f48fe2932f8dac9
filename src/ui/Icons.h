#pragma once

#include <QIcon>

// The pictures of commands, buttons and the start dialog: the desktop's icon theme
// where it has them, otherwise our own, compiled into the program.
class TIcons
{
public:
    enum class TRole
    {
        NewProject,
        OpenProject,
        SaveProject,
        OpenDocument,
        AddDocument,
        RemoveDocument,
        PreviousTitle,
        NextTitle,
        Start,
        Stop,
        OpenSubtitle,
        Explore,
        SaveAll,
        Application,
    };

    static QIcon Icon(TRole Role);
};
