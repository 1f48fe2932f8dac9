#pragma once

#include <QCollator>
#include <QTreeWidget>

class QTreeWidgetItem;

// A report-style list: one row per top-level item, the caption in column 0 and the
// sub-items in the further columns, an opaque data pointer per row. A click on a
// column header sorts the rows by that column when AllowSort is on, inverting the
// direction on repeated clicks of the same column; dragging a header divider is
// reported as begin, moves and end.
//
// Sorting is explicit (Sort(), or a header click), never Qt's automatic sorting,
// which would reorder the rows on every insert and with its own comparison.
// A sort keeps the selected rows selected and the current row current, and raises
// none of the list's selection signals, because no row's state changes.
class TListViewEx : public QTreeWidget
{
    Q_OBJECT
    Q_PROPERTY(bool AllowSort READ AllowSort WRITE SetAllowSort)
    Q_PROPERTY(int SortColumn READ SortColumn WRITE SetSortColumn)
    Q_PROPERTY(bool SortDescending READ SortDescending WRITE SetSortDescending)
    Q_PROPERTY(bool GridLines READ GridLines WRITE SetGridLines)

public:
    explicit TListViewEx(QWidget* Parent = nullptr);

    bool AllowSort() const { return FAllowSort; }
    void SetAllowSort(bool Value);

    // The column and direction of the last sort, and of the next Sort().
    int SortColumn() const { return FSortColumn; }
    void SetSortColumn(int Value);
    bool SortDescending() const { return FSortDescending; }
    void SetSortDescending(bool Value);

    // Light borders around every cell.
    bool GridLines() const { return FGridLines; }
    void SetGridLines(bool Value);

    // Sorts all rows by SortColumn and SortDescending with DoCompare; rows that
    // compare equal keep their order.
    void Sort();

    // Appends a row with Caption in column 0 and SubItems in columns 1, 2, ...
    QTreeWidgetItem* AddItem(const QString& Caption, const QStringList& SubItems = {}, void* Data = nullptr);

    // The first row whose data is Data, or none.
    QTreeWidgetItem* FindData(const void* Data) const;

    // The row's data slot; the list never owns what it points to.
    static void SetItemData(QTreeWidgetItem* Item, void* Data);
    static void* ItemData(const QTreeWidgetItem* Item);

    // A row has k sub-items when its columns 1..k were set through AddItem or
    // SetSubItem. The count is kept apart from the texts because an item always
    // reports the tree's column count.
    static int SubItemCount(const QTreeWidgetItem* Item);
    // The text of sub-item Index (column Index + 1), empty when the row lacks it.
    static QString SubItem(const QTreeWidgetItem* Item, int Index);
    // Sets sub-item Index, appending it when Index equals the count. Returns false,
    // changing nothing, for an index beyond that.
    static bool SetSubItem(QTreeWidgetItem* Item, int Index, const QString& Text);

signals:
    // A header click, raised before the sort it may cause.
    void ColumnClick(int Column);
    // The user pressed, moved and released a header divider. ColumnIndex is the
    // column whose caption the header shows (-1 when no column has it); ColumnWidth
    // the column's width, -1 when there is none.
    void BeginColumnResize(int ColumnIndex, int ColumnWidth);
    void ColumnResize(int ColumnIndex, int ColumnWidth);
    void EndColumnResize(int ColumnIndex, int ColumnWidth);

protected:
    // Negative, zero or positive as Item1 sorts before, with or after Item2 by
    // SortColumn and SortDescending.
    virtual int DoCompare(const QTreeWidgetItem* Item1, const QTreeWidgetItem* Item2) const;
    virtual void DoBeginColumnResize(int ColumnIndex, int ColumnWidth);
    virtual void DoEndColumnResize(int ColumnIndex, int ColumnWidth);
    virtual void DoColumnResize(int ColumnIndex, int ColumnWidth);

    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void changeEvent(QEvent* Event) override;

private:
    void HeaderSectionClicked(int Section);
    void HeaderSectionResized(int Section, int OldSize, int NewSize);
    void RowsInserted();
    // The section whose divider lies under Position, as the header itself decides
    // whether a press starts a resize; -1 when the press would not resize.
    int ResizeHandleAt(int Position) const;
    // The column whose caption equals the header text of Section.
    int ColumnIndexOf(int Section) const;
    int ColumnWidthOf(int Section) const;
    void KeepSelectionVisibleWithoutFocus();
    void ShowSortIndicator();

    bool FAllowSort = false;
    int FSortColumn = 0;
    bool FSortDescending = false;
    bool FGridLines = false;
    bool FSorting = false;
    // The section whose divider the user is dragging, -1 when none.
    int FTrackedSection = -1;
    QCollator FCollator;
};
