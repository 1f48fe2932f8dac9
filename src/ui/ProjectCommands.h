#pragma once

#include <QString>

#include <vector>

class TDocumentItem;

// What the editor pages ask of the main window. The commands raise their errors to
// the page that asked, which ends its own command (the general handler shows them).
class IProjectCommands
{
public:
    // Saves the active project under its name; an unnamed project opens the save-as
    // dialog, whose cancel saves nothing and is no error.
    virtual void SaveProject() = 0;
    // The name the save-as dialog suggests for an unnamed project.
    virtual void SetSuggestedProjectName(const QString& Name) = 0;
    virtual void ShowSourceDocuments() = 0;
    virtual void ShowSubtitleFiles() = 0;
    // A generation run started or ended: while it runs, every command that would free,
    // replace or read items the worker writes is withheld.
    virtual void RunStateChanged(bool Running) = 0;
    // Document items are about to be freed; nothing may keep referring to them.
    virtual void DocumentItemsRemoving(const std::vector<const TDocumentItem*>& Items) = 0;

protected:
    ~IProjectCommands() = default;
};
