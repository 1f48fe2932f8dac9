#pragma once

#include "Editor.h"

#include "model/SubtitleItem.h"
#include "titles/SubtitleItemFactory.h"

#include <QHash>

#include <memory>
#include <vector>

class QAction;
class QPushButton;
class IProjectCommands;
class TDocumentItem;
class TObservableObject;

// The subtitle files page: the titles the last run wrote for one document item, read
// back from their files. The user fixes a title's text in the preview's memo and its
// settings in the inspector; changed rows are marked and rewritten by "保存所有".
//
// Each row owns the subtitle item read from its title file; the item refers to the
// document item's record of that title (AttachedItem). Rows never outlive those
// records: they are dropped when the document item is removed, when the project is
// replaced and when a run (which rebuilds the records) starts.
class TFoSubtitleEditor : public TFoEditor
{
    Q_OBJECT

public:
    TFoSubtitleEditor(IProjectCommands& Commands, QWidget* Parent = nullptr);
    ~TFoSubtitleEditor() override;

    void ClearSubtitles();
    // Lists the titles recorded for Item, each read from its title file.
    void LoadSubtitles(const TDocumentItem& Item);
    // Rewrites every marked title and saves the project.
    void SaveAll();
    void OpenSubtitle();
    void Explore();
    void SelectPrevious();
    void SelectNext();

    // While a run is in progress, Save All is withheld.
    void SetRunning(bool Running);
    // Drops the rows when they show one of these document items.
    void DocumentItemsRemoving(const std::vector<const TDocumentItem*>& Items);

    QAction* acOpenSubtitle() const { return FOpenSubtitle; }
    QAction* acExplore() const { return FExplore; }
    QPushButton* btSaveAll() const { return FSaveAll; }

    void UpdatePreview() override;

protected:
    void lvObjectsChange() override;
    void frPreviewmeTestChange() override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void CreateBottomPanel();
    void SubtitleItemChanged(TObservableObject& Sender, const QString& PropertyName);
    TSubtitleItem* SelectedSubtitle() const;
    void SelectRow(QTreeWidgetItem* Row);
    void UpdateTaskStates();
    static QString TitlePath(const TImmutableSubtitleItem& Item);
    static QString ModificationTime(const QString& Path);

    IProjectCommands& FCommands;
    TSubtitleItemFactory FFactory;
    std::vector<std::unique_ptr<TSubtitleItem>> FSubtitles;
    // The row of each listed item, so that a change notice finds it at once.
    QHash<const TObservableObject*, QTreeWidgetItem*> FRows;
    const TDocumentItem* FShownItem = nullptr;
    QAction* FOpenSubtitle = nullptr;
    QAction* FExplore = nullptr;
    QPushButton* FSaveAll = nullptr;
    bool FRunning = false;
    bool FChangingRows = false;
};
