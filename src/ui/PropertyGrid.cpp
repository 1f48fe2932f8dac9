#include "PropertyGrid.h"

#include "InterfaceFont.h"
#include "Palette.h"
#include "PropertyGridDelegate.h"
#include "PropertyGridHeader.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>
#include <QMouseEvent>
#include <QScopedValueRollback>

#include <algorithm>

namespace {

// The forms' default row height; a larger font makes the rows taller.
constexpr int MinimumRowHeight = 18;
constexpr int DefaultKeyWidth = 125;

// Whether Widget is Owner or lies inside it, windows of its own included: the list a
// pick list drops down is a window whose parent is the editor.
bool Owns(const QWidget* Owner, const QWidget* Widget)
{
    if (!Owner)
        return false;
    for (; Widget; Widget = Widget->parentWidget())
        if (Widget == Owner)
            return true;
    return false;
}

} // namespace

TPropertyGrid::TPropertyGrid(QWidget* Parent)
    : QTableWidget(0, 2, Parent)
    , FDelegate(new TPropertyGridDelegate(this))
    , FHeader(new TPropertyGridHeader(FDelegate, this))
{
    setFont(TInterfaceFont::Font(11));
    FRowHeight = std::max(MinimumRowHeight, QFontMetrics(font()).height() + 5);

    // The grid's colour is the button face; its text, the editors' too, is maroon.
    QPalette Colours = palette();
    Colours.setColor(QPalette::Base, Colours.color(QPalette::Button));
    Colours.setColor(QPalette::Text, Palette::InspectorText.Color());
    setPalette(Colours);

    setItemDelegate(FDelegate);
    setHorizontalHeader(FHeader);
    FHeader->SetRowHeight(FRowHeight);
    setHorizontalHeaderLabels({tr("Property"), tr("Value")});
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(FRowHeight);
    verticalHeader()->setDefaultSectionSize(FRowHeight);

    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    SetKeyColumnWidth(DefaultKeyWidth);
}

TPropertyGrid::~TPropertyGrid()
{
    // Closing the editor moves the focus; nothing may be committed on the way out.
    FSuspended = true;
    CloseEditor();
}

void TPropertyGrid::scrollTo(const QModelIndex& Index, ScrollHint Hint)
{
    const int Sideways = horizontalScrollBar()->value();
    QTableWidget::scrollTo(Index, Hint);
    horizontalScrollBar()->setValue(Sideways);
}

void TPropertyGrid::SetKeyColumnWidth(int Pixels)
{
    setColumnWidth(0, Pixels);
    FFittedKeyWidth = 0;
    FitKeyColumn();
}

void TPropertyGrid::FitKeyColumn()
{
    int Needed = 0;
    for (int ARow = 1; ARow <= rowCount(); ++ARow)
        Needed = std::max(Needed, FDelegate->KeyCellWidth(KeyText(ARow)));
    if (Needed <= FFittedKeyWidth)
        return;
    FFittedKeyWidth = Needed;
    if (columnWidth(0) < Needed)
        setColumnWidth(0, Needed);
}

void TPropertyGrid::SetRows(const std::vector<TPropertyRow>& Rows)
{
    const int OldRow = currentIndex().row();
    const bool HadFocus = FocusWithin();
    {
        // Text typed into the editor of a row that is being replaced is dropped.
        const QScopedValueRollback<bool> Suspend(FSuspended, true);
        if (HadFocus)
            setFocus(Qt::OtherFocusReason);
        CloseEditor();
        setRowCount(0);
        setRowCount(int(Rows.size()));
        for (int Row = 0; Row < int(Rows.size()); ++Row) {
            const TPropertyRow& Source = Rows[std::size_t(Row)];
            auto* Key = new QTableWidgetItem(Source.Name);
            Key->setFlags(Qt::ItemIsEnabled);
            auto* Value = new QTableWidgetItem(Source.Value);
            Value->setFlags(Qt::ItemIsEnabled | Qt::ItemIsEditable);
            Value->setData(TypeNameRole, Source.TypeName);
            if (Source.HasAttribute)
                Value->setData(DefaultValueRole, Source.DefaultValue);
            setItem(Row, 0, Key);
            setItem(Row, 1, Value);
        }
    }
    FitKeyColumn();
    if (!Rows.empty())
        SetCurrentRow(std::clamp(OldRow, 0, int(Rows.size()) - 1) + 1);
    viewport()->update();
}

void TPropertyGrid::ClearRows()
{
    SetRows({});
}

QString TPropertyGrid::KeyText(int ARow) const
{
    const QTableWidgetItem* Key = item(ARow - 1, 0);
    return Key ? Key->text() : QString();
}

QString TPropertyGrid::CellText(int ARow) const
{
    const QTableWidgetItem* Value = item(ARow - 1, 1);
    return Value ? Value->text() : QString();
}

void TPropertyGrid::SetCellText(int ARow, const QString& Text)
{
    QTableWidgetItem* Value = item(ARow - 1, 1);
    if (!Value)
        return;
    Value->setText(Text);
    // An unchanged item announces nothing, and its editor would stay modified.
    if (FEditor && FEditorIndex.row() == ARow - 1)
        TPropertyGridDelegate::SetEditorText(FEditor, Text, false);
}

void TPropertyGrid::RestoreCell(int ARow)
{
    if (FEditor && FEditorIndex.row() == ARow - 1) {
        TPropertyGridDelegate::SetEditorText(FEditor, CellText(ARow), false);
        // Selected, so the user can type the value anew.
        TPropertyGridDelegate::SelectAll(FEditor);
    }
    viewport()->update();
}

int TPropertyGrid::CurrentRow() const
{
    const QModelIndex Current = currentIndex();
    return Current.isValid() ? Current.row() + 1 : 0;
}

void TPropertyGrid::SetCurrentRow(int ARow)
{
    const QModelIndex Target = model()->index(ARow - 1, 1);
    if (Target.isValid())
        setCurrentIndex(Target);
}

QString TPropertyGrid::CurrentText() const
{
    const int ARow = CurrentRow();
    if (FEditor && FEditorIndex.row() == ARow - 1)
        return TPropertyGridDelegate::EditorText(FEditor);
    return CellText(ARow);
}

void TPropertyGrid::SetCurrentEditorText(const QString& Text)
{
    if (FEditor && FEditorIndex.row() == CurrentRow() - 1)
        TPropertyGridDelegate::SetEditorText(FEditor, Text, true);
}

void TPropertyGrid::CommitEditor()
{
    if (FCommitting || FSuspended || !FEditor || !FEditorIndex.isValid()
        || !TPropertyGridDelegate::EditorModified(FEditor))
        return;
    const QScopedValueRollback<bool> Guard(FCommitting, true);
    const int ARow = FEditorIndex.row() + 1;
    const QString Text = TPropertyGridDelegate::EditorText(FEditor);
    if (FOnValidate)
        FOnValidate(1, ARow, KeyText(ARow), Text);
    else
        SetCellText(ARow, Text);
}

void TPropertyGrid::RevertEditor()
{
    if (FEditor && FEditorIndex.isValid())
        TPropertyGridDelegate::SetEditorText(FEditor, CellText(FEditorIndex.row() + 1), false);
}

void TPropertyGrid::MoveCurrentRow(int Delta)
{
    const int Target = CurrentRow() + Delta;
    if (Target >= 1 && Target <= rowCount())
        SetCurrentRow(Target);
}

void TPropertyGrid::LeaveByTab(bool Forward)
{
    // The next widget of the window's tab chain outside the grid; leaving the editor
    // for it commits the edit like any other focus change.
    QWidget* Candidate = Forward ? nextInFocusChain() : previousInFocusChain();
    while (Candidate && Candidate != this) {
        if (!isAncestorOf(Candidate) && Candidate->window() == window() && Candidate->isVisible()
            && Candidate->isEnabled() && (Candidate->focusPolicy() & Qt::TabFocus)) {
            Candidate->setFocus(Forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
        Candidate = Forward ? Candidate->nextInFocusChain() : Candidate->previousInFocusChain();
    }
}

void TPropertyGrid::EditorFocusOut(Qt::FocusReason Reason)
{
    // Another window taking the focus (a dialog, a message box, another application)
    // or a pick list dropping down does not leave the cell.
    if (FSuspended || Reason == Qt::ActiveWindowFocusReason || Reason == Qt::PopupFocusReason)
        return;
    if (Owns(FEditor, QApplication::focusWidget()))
        return;
    CommitEditor();
    if (!FocusWithin())
        CloseEditor();
}

void TPropertyGrid::EditButtonClicked()
{
    if (FOnEditButtonClick)
        FOnEditButtonClick();
}

void TPropertyGrid::currentChanged(const QModelIndex& Current, const QModelIndex& Previous)
{
    QTableWidget::currentChanged(Current, Previous);
    if (FSuspended)
        return;
    // The current-row marker moves.
    viewport()->update();
    const bool HadFocus = FocusWithin();
    if (FEditor && (!Current.isValid() || FEditorIndex.row() != Current.row())) {
        CommitEditor();
        // Closing a focused editor would hand the focus to the next widget outside.
        if (HadFocus)
            setFocus(Qt::OtherFocusReason);
        CloseEditor();
    }
    if (Current.isValid() && Current.row() != Previous.row() && FOnSelectCell)
        FOnSelectCell(Current.column(), Current.row() + 1);
    if (HadFocus)
        ShowEditor();
}

void TPropertyGrid::focusInEvent(QFocusEvent* Event)
{
    QTableWidget::focusInEvent(Event);
    // A click opens the editor of the cell it lands on itself.
    if (Event->reason() != Qt::MouseFocusReason)
        ShowEditor();
}

void TPropertyGrid::mousePressEvent(QMouseEvent* Event)
{
    const QModelIndex Index = indexAt(Event->position().toPoint());
    if (Index.isValid() && Index.column() == 0) {
        // The key column is fixed: a click on it selects the row's value cell.
        setCurrentIndex(Index.siblingAtColumn(1));
        ShowEditor();
        Event->accept();
        return;
    }
    QTableWidget::mousePressEvent(Event);
    ShowEditor();
}

QModelIndex TPropertyGrid::moveCursor(CursorAction Action, Qt::KeyboardModifiers Modifiers)
{
    if (Action == MoveLeft || Action == MoveRight)
        return currentIndex();
    const QModelIndex Index = QTableWidget::moveCursor(Action, Modifiers);
    return Index.isValid() ? Index.siblingAtColumn(1) : Index;
}

void TPropertyGrid::ShowEditor()
{
    if (FSuspended || FOpeningEditor)
        return;
    const QModelIndex Current = currentIndex();
    if (!Current.isValid())
        return;
    const QModelIndex Value = Current.siblingAtColumn(1);
    if (!FEditor || FEditorIndex != Value) {
        const QScopedValueRollback<bool> Guard(FOpeningEditor, true);
        CloseEditor();
        // The handler may show an error box; the grid may have changed behind it.
        FDelegate->SetNextEditStyle(FOnGetPickList ? FOnGetPickList(KeyText(Value.row() + 1)) : TPropertyEditStyle());
        if (currentIndex() != Current)
            return;
        QAbstractItemView::openPersistentEditor(Value);
        FEditor = indexWidget(Value);
        FEditorIndex = Value;
        if (!FEditor)
            return;
        TPropertyGridDelegate::SelectAll(FEditor);
    }
    FEditor->setFocus(Qt::OtherFocusReason);
}

void TPropertyGrid::CloseEditor()
{
    if (FEditorIndex.isValid())
        QAbstractItemView::closePersistentEditor(FEditorIndex);
    FEditor = nullptr;
    FEditorIndex = QPersistentModelIndex();
}

bool TPropertyGrid::FocusWithin() const
{
    return Owns(this, QApplication::focusWidget());
}
