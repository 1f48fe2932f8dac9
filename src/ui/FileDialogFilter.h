#pragma once

#include <QString>
#include <QStringList>

// File dialog filters written the forms' way, "Description|pattern;pattern|...", as
// name filters of a Qt file dialog, which separates patterns by blanks and needs "*"
// where the forms' "*.*" means every file.
class TFileDialogFilter
{
public:
    static QStringList NameFilters(const QString& Filter);
};
