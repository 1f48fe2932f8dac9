#pragma once

#include "ProjectCommands.h"

#include <QMainWindow>

#include <vector>

class QAction;
class QFileDialog;
class QLabel;
class QMenu;
class QToolButton;
class TFoDocumentEditor;
class TFoSubtitleEditor;
class TPageControlEx;
class TTransition;

// The application's only top-level window: the gradient menu bar, the page control
// with the source documents page and the subtitle files page, and the bottom bar. It
// runs the project commands against the project manager and keeps its caption and the
// documents page in step with the active project.
class TFoMain : public QMainWindow, public IProjectCommands
{
    Q_OBJECT

public:
    explicit TFoMain(QWidget* Parent = nullptr);
    ~TFoMain() override;

    TFoDocumentEditor* DocumentEditor() const { return FDocumentEditor; }
    TFoSubtitleEditor* SubtitleEditor() const { return FSubtitleEditor; }
    TPageControlEx* PageControl() const { return FPageControl; }
    QWidget* tsSourceDocuments() const { return FSourceDocuments; }
    QWidget* tsSubtitleFiles() const { return FSubtitleFiles; }
    QFileDialog* odProject() const { return FOpenDialog; }
    QFileDialog* sdProject() const { return FSaveDialog; }

    // Opens FileName instead of showing the start dialog (the file the launcher or the
    // file manager passed); a file that cannot be opened gives its error box and leaves
    // the empty project.
    void SetStartupProject(const QString& FileName) { FStartupProject = FileName; }

    // The project commands; each raises its errors.
    void NewProject();
    void OpenProject();
    void SaveProjectAs();
    void OpenProjectFile(const QString& FileName);

    // IProjectCommands, for the pages.
    void SaveProject() override;
    void SetSuggestedProjectName(const QString& Name) override;
    void ShowSourceDocuments() override;
    void ShowSubtitleFiles() override;
    void RunStateChanged(bool Running) override;
    void DocumentItemsRemoving(const std::vector<const TDocumentItem*>& Items) override;

protected:
    void showEvent(QShowEvent* Event) override;

private:
    QWidget* CreateMenuBar();
    QWidget* CreatePages();
    QWidget* CreateBottomBar();
    void CreateActions();
    QAction* AddCommand(const char* Name, const QString& Caption, const QKeySequence& Shortcut, const QIcon& Icon,
                        void (TFoMain::*Command)());
    void ProjectChanged();
    void UpdateCommandStates();
    void ShowStartDialog();
    void SaveProjectTo(const QString& FileName);
    void Exit();
    void SubtitleFilesShown();
    void Support();
    void EmailSupport();
    void About();

    QAction* FNewProject = nullptr;
    QAction* FOpenProject = nullptr;
    QAction* FSaveProject = nullptr;
    QAction* FSaveProjectAs = nullptr;
    QAction* FExit = nullptr;
    QAction* FSupport = nullptr;
    QAction* FEmailSupport = nullptr;
    QAction* FAbout = nullptr;
    QMenu* FFileMenu = nullptr;
    QMenu* FHelpMenu = nullptr;
    TPageControlEx* FPageControl = nullptr;
    QWidget* FSourceDocuments = nullptr;
    QWidget* FSubtitleFiles = nullptr;
    TTransition* FBottomBar = nullptr;
    QLabel* FSaveLabel = nullptr;
    QFileDialog* FOpenDialog = nullptr;
    QFileDialog* FSaveDialog = nullptr;
    TFoDocumentEditor* FDocumentEditor = nullptr;
    TFoSubtitleEditor* FSubtitleEditor = nullptr;
    QString FStartupProject;
    // The documents selected when a save began: the save rebuilds the rows, and they
    // stay selected (the project and its items are the same after it).
    std::vector<const TDocumentItem*> FSavedSelection;
    bool FShown = false;
    bool FRunning = false;
};
