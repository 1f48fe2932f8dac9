#pragma once

#include "ui/ProjectCommands.h"

// A main window that does nothing, for timing a page on its own.
class TNoProjectCommands : public IProjectCommands
{
public:
    void SaveProject() override {}
    void SetSuggestedProjectName(const QString&) override {}
    void ShowSourceDocuments() override {}
    void ShowSubtitleFiles() override {}
    void RunStateChanged(bool) override {}
    void DocumentItemsRemoving(const std::vector<const TDocumentItem*>&) override {}
};
