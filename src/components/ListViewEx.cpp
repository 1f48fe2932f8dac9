#include "ListViewEx.h"

#include <QHeaderView>
#include <QItemSelection>
#include <QMouseEvent>
#include <QPainter>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>
#include <vector>

namespace {

constexpr int DataRole = Qt::UserRole;
constexpr int SubItemCountRole = Qt::UserRole + 1;

// Draws the cell, then its right and bottom border when the list asks for grid lines.
class TGridLineDelegate : public QStyledItemDelegate
{
public:
    explicit TGridLineDelegate(TListViewEx* List) : QStyledItemDelegate(List), FList(List) {}

    void paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override
    {
        QStyledItemDelegate::paint(Painter, Option, Index);
        if (!FList->GridLines())
            return;
        // A faint mix of text into the background stays light on any palette.
        const QColor Base = Option.palette.color(QPalette::Base);
        const QColor Text = Option.palette.color(QPalette::Text);
        constexpr qreal TextShare = 0.18;
        const QColor Line = QColor::fromRgbF(Base.redF() + (Text.redF() - Base.redF()) * TextShare,
                                             Base.greenF() + (Text.greenF() - Base.greenF()) * TextShare,
                                             Base.blueF() + (Text.blueF() - Base.blueF()) * TextShare);
        const QRect& Cell = Option.rect;
        Painter->save();
        Painter->setPen(Line);
        Painter->drawLine(Cell.topRight(), Cell.bottomRight());
        Painter->drawLine(Cell.bottomLeft(), Cell.bottomRight());
        Painter->restore();
    }

private:
    TListViewEx* FList;
};

} // namespace

TListViewEx::TListViewEx(QWidget* Parent)
    : QTreeWidget(Parent)
{
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setItemDelegate(new TGridLineDelegate(this));
    KeepSelectionVisibleWithoutFocus();

    FCollator.setCaseSensitivity(Qt::CaseInsensitive);
    FCollator.setNumericMode(false);

    QHeaderView* Header = header();
    // Columns keep the widths they are given, as in a report list, instead of the
    // last one filling the rest.
    Header->setStretchLastSection(false);
    Header->setSectionsClickable(true);
    Header->setSortIndicatorShown(false);
    Header->viewport()->installEventFilter(this);
    connect(Header, &QHeaderView::sectionClicked, this, &TListViewEx::HeaderSectionClicked);
    connect(Header, &QHeaderView::sectionResized, this, &TListViewEx::HeaderSectionResized);
    connect(model(), &QAbstractItemModel::rowsInserted, this, &TListViewEx::RowsInserted);
}

void TListViewEx::SetAllowSort(bool Value)
{
    if (FAllowSort == Value)
        return;
    FAllowSort = Value;
    if (!FAllowSort)
        header()->setSortIndicatorShown(false);
}

void TListViewEx::SetSortColumn(int Value)
{
    if (FSortColumn == Value)
        return;
    FSortColumn = Value;
    // The rows are no longer known to follow the indicator.
    header()->setSortIndicatorShown(false);
}

void TListViewEx::SetSortDescending(bool Value)
{
    if (FSortDescending == Value)
        return;
    FSortDescending = Value;
    header()->setSortIndicatorShown(false);
}

void TListViewEx::SetGridLines(bool Value)
{
    if (FGridLines == Value)
        return;
    FGridLines = Value;
    viewport()->update();
}

void TListViewEx::Sort()
{
    QTreeWidgetItem* Root = invisibleRootItem();
    // Ordered apart from the list first, so that a comparison that fails leaves the
    // rows as they were.
    QList<QTreeWidgetItem*> Rows;
    Rows.reserve(Root->childCount());
    for (int Row = 0; Row < Root->childCount(); ++Row)
        Rows.append(Root->child(Row));
    std::stable_sort(Rows.begin(), Rows.end(), [this](const QTreeWidgetItem* Item1, const QTreeWidgetItem* Item2) {
        return DoCompare(Item1, Item2) < 0;
    });

    if (!Rows.isEmpty()) {
        // Taking all rows out and putting them back at once costs two model updates
        // instead of one per row. The selection model drops the selection and the
        // current row with the rows, so they are put back by position; the list's own
        // signals stay quiet meanwhile, since to the user no row changes its state.
        std::vector<const QTreeWidgetItem*> Selected;
        for (const QTreeWidgetItem* Item : selectedItems())
            Selected.push_back(Item);
        std::sort(Selected.begin(), Selected.end());
        const auto IsSelected = [&Selected](const QTreeWidgetItem* Item) {
            return std::binary_search(Selected.cbegin(), Selected.cend(), Item);
        };
        QTreeWidgetItem* Current = currentItem();
        const int ScrollPosition = verticalScrollBar()->value();

        const QSignalBlocker Blocker(this);
        FSorting = true;
        const auto SortingReset = qScopeGuard([this] { FSorting = false; });
        Root->takeChildren();
        Root->addChildren(Rows);

        QItemSelection Selection;
        const int LastColumn = std::max(columnCount() - 1, 0);
        for (int Row = 0; Row < Rows.size(); ++Row) {
            if (!IsSelected(Rows.at(Row)))
                continue;
            int End = Row;
            while (End + 1 < Rows.size() && IsSelected(Rows.at(End + 1)))
                ++End;
            Selection.select(model()->index(Row, 0), model()->index(End, LastColumn));
            Row = End;
        }
        if (Current)
            selectionModel()->setCurrentIndex(indexFromItem(Current), QItemSelectionModel::NoUpdate);
        if (!Selection.isEmpty())
            selectionModel()->select(Selection, QItemSelectionModel::Select);
        verticalScrollBar()->setValue(ScrollPosition);
        viewport()->update();
    }
    ShowSortIndicator();
}

QTreeWidgetItem* TListViewEx::AddItem(const QString& Caption, const QStringList& SubItems, void* Data)
{
    auto* Item = new QTreeWidgetItem();
    Item->setText(0, Caption);
    for (int Index = 0; Index < SubItems.size(); ++Index)
        Item->setText(Index + 1, SubItems.at(Index));
    Item->setData(0, SubItemCountRole, int(SubItems.size()));
    SetItemData(Item, Data);
    addTopLevelItem(Item);
    return Item;
}

QTreeWidgetItem* TListViewEx::FindData(const void* Data) const
{
    const QTreeWidgetItem* Root = invisibleRootItem();
    for (int Row = 0; Row < Root->childCount(); ++Row) {
        QTreeWidgetItem* Item = Root->child(Row);
        if (ItemData(Item) == Data)
            return Item;
    }
    return nullptr;
}

void TListViewEx::SetItemData(QTreeWidgetItem* Item, void* Data)
{
    Item->setData(0, DataRole, QVariant::fromValue(reinterpret_cast<quintptr>(Data)));
}

void* TListViewEx::ItemData(const QTreeWidgetItem* Item)
{
    return reinterpret_cast<void*>(Item->data(0, DataRole).value<quintptr>());
}

int TListViewEx::SubItemCount(const QTreeWidgetItem* Item)
{
    return Item->data(0, SubItemCountRole).toInt();
}

QString TListViewEx::SubItem(const QTreeWidgetItem* Item, int Index)
{
    if (Index < 0 || Index >= SubItemCount(Item))
        return QString();
    return Item->text(Index + 1);
}

bool TListViewEx::SetSubItem(QTreeWidgetItem* Item, int Index, const QString& Text)
{
    const int Count = SubItemCount(Item);
    if (Index < 0 || Index > Count)
        return false;
    Item->setText(Index + 1, Text);
    if (Index == Count)
        Item->setData(0, SubItemCountRole, Count + 1);
    return true;
}

int TListViewEx::DoCompare(const QTreeWidgetItem* Item1, const QTreeWidgetItem* Item2) const
{
    int Result = 0;
    if (FSortColumn == 0)
        Result = FCollator.compare(Item1->text(0), Item2->text(0));
    else if (FSortColumn > 0 && SubItemCount(Item1) > FSortColumn - 1 && SubItemCount(Item2) > FSortColumn - 1)
        Result = FCollator.compare(Item1->text(FSortColumn), Item2->text(FSortColumn));
    return FSortDescending ? -Result : Result;
}

void TListViewEx::DoBeginColumnResize(int ColumnIndex, int ColumnWidth)
{
    emit BeginColumnResize(ColumnIndex, ColumnWidth);
}

void TListViewEx::DoEndColumnResize(int ColumnIndex, int ColumnWidth)
{
    emit EndColumnResize(ColumnIndex, ColumnWidth);
}

void TListViewEx::DoColumnResize(int ColumnIndex, int ColumnWidth)
{
    emit ColumnResize(ColumnIndex, ColumnWidth);
}

bool TListViewEx::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == header()->viewport()) {
        // Seen before the header acts on the press, which is when it decides to resize.
        if (Event->type() == QEvent::MouseButtonPress) {
            const auto* Mouse = static_cast<QMouseEvent*>(Event);
            if (Mouse->button() == Qt::LeftButton) {
                const QPoint Position = Mouse->position().toPoint();
                FTrackedSection = ResizeHandleAt(header()->orientation() == Qt::Horizontal ? Position.x() : Position.y());
                if (FTrackedSection >= 0)
                    DoBeginColumnResize(ColumnIndexOf(FTrackedSection), ColumnWidthOf(FTrackedSection));
            }
        } else if (Event->type() == QEvent::MouseButtonRelease) {
            const auto* Mouse = static_cast<QMouseEvent*>(Event);
            if (Mouse->button() == Qt::LeftButton && FTrackedSection >= 0) {
                const int Section = FTrackedSection;
                FTrackedSection = -1;
                DoEndColumnResize(ColumnIndexOf(Section), ColumnWidthOf(Section));
            }
        }
    }
    return QTreeWidget::eventFilter(Watched, Event);
}

void TListViewEx::changeEvent(QEvent* Event)
{
    QTreeWidget::changeEvent(Event);
    if (Event->type() == QEvent::PaletteChange)
        KeepSelectionVisibleWithoutFocus();
}

void TListViewEx::HeaderSectionClicked(int Section)
{
    emit ColumnClick(Section);
    if (!FAllowSort)
        return;
    FSortDescending = Section == FSortColumn ? !FSortDescending : false;
    FSortColumn = Section;
    Sort();
}

void TListViewEx::HeaderSectionResized(int Section, int OldSize, int NewSize)
{
    Q_UNUSED(OldSize);
    // Other sections may follow the dragged one (a stretched last column); only the
    // dragged one is the user's resize.
    if (Section == FTrackedSection)
        DoColumnResize(ColumnIndexOf(Section), NewSize);
}

void TListViewEx::RowsInserted()
{
    if (!FSorting)
        header()->setSortIndicatorShown(false);
}

int TListViewEx::ResizeHandleAt(int Position) const
{
    const QHeaderView* Header = header();
    int Visual = Header->visualIndexAt(Position);
    if (Visual < 0)
        return -1;
    const int Logical = Header->logicalIndex(Visual);
    const int Start = Header->sectionViewportPosition(Logical);
    const int Grip = Header->style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, Header);
    bool AtStart = Position < Start + Grip;
    bool AtEnd = Position > Start + Header->sectionSize(Logical) - Grip;
    if (Header->orientation() == Qt::Horizontal && Header->isRightToLeft())
        std::swap(AtStart, AtEnd);

    int Section = -1;
    if (AtStart) {
        // The divider at a section's start belongs to the previous visible section.
        while (Visual > 0) {
            const int Previous = Header->logicalIndex(--Visual);
            if (!Header->isSectionHidden(Previous)) {
                Section = Previous;
                break;
            }
        }
    } else if (AtEnd) {
        Section = Logical;
    }
    if (Section < 0 || Header->sectionResizeMode(Section) != QHeaderView::Interactive)
        return -1;
    return Section;
}

int TListViewEx::ColumnIndexOf(int Section) const
{
    if (Section < 0)
        return -1;
    const QString Text = header()->model()->headerData(Section, Qt::Horizontal, Qt::DisplayRole).toString();
    const QTreeWidgetItem* Captions = headerItem();
    if (Section < columnCount() && Captions->text(Section) == Text)
        return Section;
    for (int Column = 0; Column < columnCount(); ++Column) {
        if (Captions->text(Column) == Text)
            return Column;
    }
    return -1;
}

int TListViewEx::ColumnWidthOf(int Section) const
{
    if (Section < 0 || Section >= header()->count())
        return -1;
    return header()->sectionSize(Section);
}

void TListViewEx::KeepSelectionVisibleWithoutFocus()
{
    QPalette Colors = palette();
    const QColor Highlight = Colors.color(QPalette::Active, QPalette::Highlight);
    const QColor HighlightedText = Colors.color(QPalette::Active, QPalette::HighlightedText);
    if (Colors.color(QPalette::Inactive, QPalette::Highlight) == Highlight
        && Colors.color(QPalette::Inactive, QPalette::HighlightedText) == HighlightedText)
        return;
    Colors.setColor(QPalette::Inactive, QPalette::Highlight, Highlight);
    Colors.setColor(QPalette::Inactive, QPalette::HighlightedText, HighlightedText);
    setPalette(Colors);
}

void TListViewEx::ShowSortIndicator()
{
    QHeaderView* Header = header();
    Header->setSortIndicator(FSortColumn, FSortDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
    Header->setSortIndicatorShown(true);
}
