#pragma once

#include <QIcon>
#include <QList>
#include <QWidget>

#include <functional>

class QAction;
class QMenu;
class QSplitter;
class QTreeWidgetItem;
class TFrObjectInspector;
class TFrPreview;
class TListViewEx;
class TSubtitleItem;

// The common base of the two editor pages: the item list on the left, the preview
// above the inspector on the right, and the one hook UpdatePreview to which a new
// selection, an accepted inspector value, an edit of the preview's test text and a
// change of its background all lead. Each row's data is the settings item it shows
// (see RowItem); the page owns or refers to it, the base only reads it.
class TFoEditor : public QWidget
{
    Q_OBJECT

public:
    explicit TFoEditor(QWidget* Parent = nullptr);

    TListViewEx* lvObjects() const { return FObjects; }
    TFrPreview* frPreview() const { return FPreview; }
    TFrObjectInspector* frObjectInspector() const { return FInspector; }
    QWidget* pnObjectInspector() const { return FInspectorPanel; }
    QMenu* pmTasks() const { return FTasksMenu; }

    // Redraws the preview of the page's current item; nothing in the base.
    virtual void UpdatePreview();

    // Shows Text in the preview's test memo without redrawing or writing anything back.
    void SetTestText(const QString& Text);
    QString GetTestText() const;
    // Renders Item (none clears the preview).
    void DrawPreview(const TSubtitleItem* Item);
    // Refreshes one column of a row from its item's text form: column 0 the caption,
    // column c the sub-item c - 1 when the row has it. No row means the first selected.
    void RefreshItemText(int Column, QTreeWidgetItem* Item = nullptr);

    static TSubtitleItem* RowItem(const QTreeWidgetItem* Row);
    static void SetRowItem(QTreeWidgetItem* Row, TSubtitleItem* Item);
    // The selected rows in list order.
    QList<QTreeWidgetItem*> SelectedRows() const;

protected:
    // Adds a command to the page (alTasks): its shortcut works while the page has the
    // focus, and it runs through the general error handler.
    QAction* AddTask(const QString& Name, const QString& Caption, const QIcon& Icon,
                     std::function<void()> Command);
    void AddTaskSeparator();
    // A panel of the frame colour along the page's bottom edge, below the list and the
    // inspector, for the page's buttons and bars.
    QWidget* AddBottomPanel(const QString& Name);

    // The list's selection changed: rows were selected or deselected.
    virtual void lvObjectsChange();
    // The preview's test text was edited by the user.
    virtual void frPreviewmeTestChange();

private:
    void lvObjectsSelectItem();
    void frObjectInspectorvlObjectInspectorEditButtonClick();
    void frObjectInspectorvlObjectInspectorValidate(int ACol, int ARow, const QString& KeyName,
                                                    const QString& KeyValue);
    void frPreviewrbBkgClick();

    TListViewEx* FObjects;
    QWidget* FInspectorPanel;
    TFrPreview* FPreview;
    TFrObjectInspector* FInspector;
    QMenu* FTasksMenu;
};
