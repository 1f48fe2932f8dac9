#pragma once

#include "PropertyEditStyle.h"
#include "PropertyRow.h"

#include <QPersistentModelIndex>
#include <QPointer>
#include <QTableWidget>

#include <functional>
#include <vector>

class TPropertyGridDelegate;
class TPropertyGridHeader;

// A two-column key/value grid. The title row ("Property", "Value") is the header; the
// property rows are numbered from 1 below it, as the inspector's handlers count them.
// The key column is fixed: clicking it selects the row's value cell. The value cell of
// the current row has its editor open whenever the grid has the focus. An edit is
// offered to the validate handler when the user leaves a modified editor (another row,
// Enter, focus out of the grid); the cell's text changes only when the handler writes
// it (SetCellText). The delegate paints every cell. The value column fills the grid's
// width, so long values (a full path) have all the room there is.
class TPropertyGrid : public QTableWidget
{
    Q_OBJECT

public:
    enum TRole
    {
        TypeNameRole = Qt::UserRole,
        DefaultValueRole, // absent when the property has no attribute record
    };

    explicit TPropertyGrid(QWidget* Parent = nullptr);
    ~TPropertyGrid() override;

    // Replaces the rows; the current row number is kept where it still exists.
    void SetRows(const std::vector<TPropertyRow>& Rows);
    void ClearRows();
    int PropertyRowCount() const { return rowCount(); }
    // Property rows count from 1.
    QString KeyText(int ARow) const;
    QString CellText(int ARow) const;
    // Writes the cell, and its editor when open, which then counts as unchanged.
    void SetCellText(int ARow, const QString& Text);
    // Shows the cell's text in its open editor again, dropping what was typed.
    void RestoreCell(int ARow);
    // 0 when there is no current row.
    int CurrentRow() const;
    void SetCurrentRow(int ARow);
    // The text the current value cell shows: its editor's when open.
    QString CurrentText() const;
    // Puts Text into the current row's open editor, as if the user had entered it.
    void SetCurrentEditorText(const QString& Text);
    QWidget* Editor() const { return FEditor; }

    int RowHeight() const { return FRowHeight; }
    // The key column is at least this wide, wider when a name needs it; the value column
    // fills the rest of the grid's width.
    void SetKeyColumnWidth(int Pixels);

    // The grid's events.
    using TGetPickListEvent = std::function<TPropertyEditStyle(const QString& KeyName)>;
    using TValidateEvent = std::function<void(int ACol, int ARow, const QString& KeyName, const QString& KeyValue)>;
    using TSelectCellEvent = std::function<void(int ACol, int ARow)>;
    void SetOnGetPickList(TGetPickListEvent Handler) { FOnGetPickList = std::move(Handler); }
    void SetOnValidate(TValidateEvent Handler) { FOnValidate = std::move(Handler); }
    void SetOnSelectCell(TSelectCellEvent Handler) { FOnSelectCell = std::move(Handler); }
    void SetOnEditButtonClick(std::function<void()> Handler) { FOnEditButtonClick = std::move(Handler); }

    // Called by the delegate for the open editor.
    void CommitEditor();
    void RevertEditor();
    void MoveCurrentRow(int Delta);
    void LeaveByTab(bool Forward);
    void EditorFocusOut(Qt::FocusReason Reason);
    void EditButtonClicked();

    // Scrolls rows into view but never sideways: in a narrow inspector the value column
    // would otherwise push the property names out of sight whenever a row became current.
    void scrollTo(const QModelIndex& Index, ScrollHint Hint = EnsureVisible) override;

protected:
    void currentChanged(const QModelIndex& Current, const QModelIndex& Previous) override;
    void focusInEvent(QFocusEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    QModelIndex moveCursor(CursorAction Action, Qt::KeyboardModifiers Modifiers) override;

private:
    void ShowEditor();
    void CloseEditor();
    // Widens the key column when a row's name would not show whole; a width the user
    // chose is kept until a wider name comes.
    void FitKeyColumn();
    bool FocusWithin() const;

    TPropertyGridDelegate* FDelegate;
    TPropertyGridHeader* FHeader;
    int FRowHeight;
    int FFittedKeyWidth = 0;
    QPointer<QWidget> FEditor;
    QPersistentModelIndex FEditorIndex;
    // A commit in progress: its rejection box moves the focus, and the focus events
    // that follow must not offer the same edit again.
    bool FCommitting = false;
    // Rows being replaced, or the grid being destroyed: no commits, no editor opened.
    bool FSuspended = false;
    bool FOpeningEditor = false;
    TGetPickListEvent FOnGetPickList;
    TValidateEvent FOnValidate;
    TSelectCellEvent FOnSelectCell;
    std::function<void()> FOnEditButtonClick;
};
