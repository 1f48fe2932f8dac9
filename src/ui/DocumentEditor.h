#pragma once

#include "Editor.h"

#include "model/Project.h"

#include <QHash>
#include <QStringList>

#include <memory>

class QAction;
class QFileDialog;
class QMimeData;
class QProgressBar;
class QPushButton;
class IProjectCommands;
class TDocumentItem;
class TObservableObject;
class TSubtitleFactoryThread;

// The source documents page: the project's document items, one row each, adding,
// removing, opening and reordering them, their settings in the inspector with a live
// preview, and the generation run with its three progress bars.
//
// While a run is in progress its worker writes the document items, so the page reads
// none of them until the run has ended: the inspector and the preview are disabled,
// the page does not listen to the items' change notices (every row is refreshed at the
// end), and every command that would free, replace or read items being written is
// withheld.
class TFoDocumentEditor : public TFoEditor
{
    Q_OBJECT

public:
    TFoDocumentEditor(IProjectCommands& Commands, QWidget* Parent = nullptr);
    ~TFoDocumentEditor() override;

    // Lists Items and selects the rows of those in Selected (the first row when none of
    // them is listed).
    void LoadDocumentItems(const TDocumentItems& Items, const std::vector<const TDocumentItem*>& Selected = {});
    void ClearDocumentList();
    // The item of the first selected row in list order, or none.
    TDocumentItem* SelectedDocumentItem() const;
    // The items of the selected rows in list order.
    std::vector<const TDocumentItem*> SelectedDocumentItems() const;

    // Asks for documents and adds them (acAddDoc).
    void AddDocuments();
    // Adds these files as documents, in this order, and saves the project: what
    // choosing them in the add dialog does, and what dropping them on the list does.
    // Refused with an error naming them while a run is in progress.
    void AddDocumentFiles(const QStringList& FileNames);
    void RemoveDocuments();
    void OpenDocument();
    void SelectAll();
    // What a drop of the list's own dragged rows at Position (viewport coordinates) does:
    // the selected rows move, in their order, before the row there, or to the end when
    // there is none. Only the rows move; the project keeps its order of items.
    void DropSelectedRows(const QPoint& Position);
    void Start();
    void Stop();

    bool Running() const { return FRunning; }
    QAction* acOpenDoc() const { return FOpenDoc; }
    QAction* acAddDoc() const { return FAddDoc; }
    QAction* acRemoveDoc() const { return FRemoveDoc; }
    QAction* acSelectAll() const { return FSelectAll; }
    QFileDialog* odDocument() const { return FOpenDialog; }

    void UpdatePreview() override;

protected:
    void lvObjectsChange() override;
    void showEvent(QShowEvent* Event) override;
    // Enter that no control of the page takes presses Start, the page's default button.
    void keyPressEvent(QKeyEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void CreateBottomPanel();
    void CreateTasks();
    // Appends the row of Item and watches the item's changes.
    QTreeWidgetItem* AddRow(TDocumentItem* Item, const QString& Caption);
    void Watch(TDocumentItem* Item);
    void DocumentItemChanged(TObservableObject& Sender, const QString& PropertyName);
    void RefreshRows();
    void UpdateTaskStates();
    void SwitchIdle(bool Idle);
    // Start or Stop, the bars and the inspector as the run state says.
    void ShowRunState();
    void StopRun();
    void GenerationFinished(bool Completed);
    void DocumentLoadProgress(qint32 Total, qint32 Position);
    void SubtitleProgress(qint32 Total, qint32 Position);
    void DocumentsProgress(qint32 Total, qint32 Position);
    static QStringList LocalFiles(const QMimeData& Data);

    IProjectCommands& FCommands;
    // The row of each listed item, so that a change notice finds it at once.
    QHash<const TObservableObject*, QTreeWidgetItem*> FRows;
    QAction* FOpenDoc = nullptr;
    QAction* FAddDoc = nullptr;
    QAction* FRemoveDoc = nullptr;
    QAction* FSelectAll = nullptr;
    QFileDialog* FOpenDialog = nullptr;
    QProgressBar* FDocumentBar = nullptr;
    QProgressBar* FSubtitleBar = nullptr;
    QProgressBar* FDocumentsBar = nullptr;
    QPushButton* FStartButton = nullptr;
    QPushButton* FStopButton = nullptr;
    std::unique_ptr<TSubtitleFactoryThread> FRun;
    bool FRunning = false;
    // Set while the end of the run is being handled.
    bool FFinishing = false;
    bool FShownOnce = false;
    // Set while the page changes rows itself: the selection handling runs once after.
    bool FChangingRows = false;
};
