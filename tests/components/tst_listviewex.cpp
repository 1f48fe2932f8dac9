#include "components/ListViewEx.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

// Three rows whose order differs by each column: by caption A B C, by column 1
// C A B, by column 2 A C B. They are added as B, A, C.
std::unique_ptr<TListViewEx> MakeList()
{
    auto List = std::make_unique<TListViewEx>();
    List->setHeaderLabels({QStringLiteral("名称"), QStringLiteral("内容"), QStringLiteral("设置")});
    List->AddItem(QStringLiteral("B"), {QStringLiteral("m"), QStringLiteral("s")});
    List->AddItem(QStringLiteral("A"), {QStringLiteral("l"), QStringLiteral("q")});
    List->AddItem(QStringLiteral("C"), {QStringLiteral("k"), QStringLiteral("r")});
    List->setColumnWidth(0, 100);
    List->setColumnWidth(1, 80);
    List->setColumnWidth(2, 60);
    List->resize(320, 200);
    List->show();
    return List;
}

QString Captions(const TListViewEx& List)
{
    QStringList Result;
    for (int Row = 0; Row < List.topLevelItemCount(); ++Row)
        Result << List.topLevelItem(Row)->text(0);
    return Result.join(QLatin1Char(' '));
}

QPoint SectionCentre(const QHeaderView* Header, int Section)
{
    return QPoint(Header->sectionViewportPosition(Section) + Header->sectionSize(Section) / 2, Header->height() / 2);
}

void ClickHeader(TListViewEx& List, int Section)
{
    QTest::mouseClick(List.header()->viewport(), Qt::LeftButton, {}, SectionCentre(List.header(), Section));
}

// A mouse move with the left button held, which the header needs to resize.
void DragTo(QWidget* Widget, const QPoint& Position)
{
    QMouseEvent Move(QEvent::MouseMove, Position, Widget->mapToGlobal(Position), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(Widget, &Move);
    // Lets the header lay out the other sections, which it does after the event.
    QCoreApplication::processEvents();
}

} // namespace

class tst_ListViewEx : public QObject
{
    Q_OBJECT

private slots:
    void HeaderClicksSort_data();
    void HeaderClicksSort();
    void TextOrder_data();
    void TextOrder();
    void ClickWithoutAllowSortOnlyReportsTheClick();
    void SortKeepsSelectionAndCurrentRow();
    void RowsWithoutTheSubItemKeepTheirOrder();
    void SubItemsAndData();
    void DraggingADividerReportsTheResize_data();
    void DraggingADividerReportsTheResize();
    void CellsShowGridLinesAndSelectionWithoutFocus();
};

void tst_ListViewEx::HeaderClicksSort_data()
{
    QTest::addColumn<QList<int>>("Clicks");
    QTest::addColumn<QString>("Order");
    QTest::addColumn<int>("Column");
    QTest::addColumn<bool>("Descending");

    QTest::newRow("column 2 ascending") << QList<int>{2} << "A C B" << 2 << false;
    QTest::newRow("column 2 again descending") << QList<int>{2, 2} << "B C A" << 2 << true;
    QTest::newRow("column 1 next ascending") << QList<int>{2, 2, 1} << "C A B" << 1 << false;
    QTest::newRow("first click on column 0 descending") << QList<int>{0} << "C B A" << 0 << true;
    QTest::newRow("column 0 again ascending") << QList<int>{0, 0} << "A B C" << 0 << false;
    QTest::newRow("column 0 after another ascending") << QList<int>{1, 0} << "A B C" << 0 << false;
}

void tst_ListViewEx::HeaderClicksSort()
{
    QFETCH(QList<int>, Clicks);
    QFETCH(QString, Order);
    QFETCH(int, Column);
    QFETCH(bool, Descending);

    const auto List = MakeList();
    List->SetAllowSort(true);
    QSignalSpy ColumnClicks(List.get(), &TListViewEx::ColumnClick);
    for (const int Section : Clicks)
        ClickHeader(*List, Section);

    QCOMPARE(Captions(*List), Order);
    QCOMPARE(List->SortColumn(), Column);
    QCOMPARE(List->SortDescending(), Descending);
    QCOMPARE(ColumnClicks.count(), Clicks.size());
    QCOMPARE(ColumnClicks.last().at(0).toInt(), Clicks.last());
    QVERIFY(List->header()->isSortIndicatorShown());
    QCOMPARE(List->header()->sortIndicatorSection(), Column);
    QCOMPARE(List->header()->sortIndicatorOrder(), Descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void tst_ListViewEx::TextOrder_data()
{
    QTest::addColumn<QStringList>("Texts");
    QTest::addColumn<bool>("Descending");
    QTest::addColumn<QString>("Order");

    QTest::newRow("numbers as text") << QStringList{"9", "10"} << false << "10 9";
    QTest::newRow("numbers as text, descending") << QStringList{"10", "9"} << true << "9 10";
    QTest::newRow("case-insensitive") << QStringList{"C", "b", "A"} << false << "A b C";
    QTest::newRow("case-insensitive, descending") << QStringList{"b", "A", "C"} << true << "C b A";
    QTest::newRow("same letters keep their order") << QStringList{"a", "B", "A"} << false << "a A B";
}

void tst_ListViewEx::TextOrder()
{
    QFETCH(QStringList, Texts);
    QFETCH(bool, Descending);
    QFETCH(QString, Order);

    TListViewEx List;
    List.setColumnCount(1);
    for (const QString& Text : Texts)
        List.AddItem(Text);
    List.SetSortDescending(Descending);
    List.Sort();
    QCOMPARE(Captions(List), Order);
}

void tst_ListViewEx::ClickWithoutAllowSortOnlyReportsTheClick()
{
    const auto List = MakeList();
    QSignalSpy SectionClicks(List->header(), &QHeaderView::sectionClicked);
    QSignalSpy ColumnClicks(List.get(), &TListViewEx::ColumnClick);

    ClickHeader(*List, 1);
    ClickHeader(*List, 0);

    QCOMPARE(SectionClicks.count(), 2);
    QCOMPARE(ColumnClicks.count(), 2);
    QCOMPARE(ColumnClicks.at(0).at(0).toInt(), 1);
    QCOMPARE(ColumnClicks.at(1).at(0).toInt(), 0);
    QCOMPARE(Captions(*List), QStringLiteral("B A C"));
    QCOMPARE(List->SortColumn(), 0);
    QCOMPARE(List->SortDescending(), false);
    QVERIFY(!List->header()->isSortIndicatorShown());
}

void tst_ListViewEx::SortKeepsSelectionAndCurrentRow()
{
    const auto List = MakeList();
    List->SetAllowSort(true);
    List->setSelectionMode(QAbstractItemView::ExtendedSelection);
    QTreeWidgetItem* B = List->topLevelItem(0);
    QTreeWidgetItem* A = List->topLevelItem(1);
    QTreeWidgetItem* C = List->topLevelItem(2);
    List->setCurrentItem(C);
    B->setSelected(true);
    QSignalSpy SelectionChanges(List.get(), &QTreeWidget::itemSelectionChanged);
    QSignalSpy CurrentChanges(List.get(), &QTreeWidget::currentItemChanged);

    ClickHeader(*List, 2);

    QCOMPARE(Captions(*List), QStringLiteral("A C B"));
    QVERIFY(B->isSelected());
    QVERIFY(C->isSelected());
    QVERIFY(!A->isSelected());
    QCOMPARE(List->selectedItems().size(), 2);
    QCOMPARE(List->currentItem(), C);
    QCOMPARE(SelectionChanges.count(), 0);
    QCOMPARE(CurrentChanges.count(), 0);
}

void tst_ListViewEx::RowsWithoutTheSubItemKeepTheirOrder()
{
    // Column 2 shows texts, but no row counts them as its sub-items.
    TListViewEx List;
    List.setColumnCount(3);
    const QStringList Shown{QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("2")};
    for (const QString& Text : Shown) {
        QTreeWidgetItem* Item = List.AddItem(QStringLiteral("row ") + Text, {QStringLiteral("x")});
        Item->setText(2, Text);
    }
    List.SetSortColumn(2);
    List.Sort();
    QCOMPARE(Captions(List), QStringLiteral("row 3 row 1 row 2"));

    for (int Row = 0; Row < List.topLevelItemCount(); ++Row)
        TListViewEx::SetSubItem(List.topLevelItem(Row), 1, Shown.at(Row));
    List.Sort();
    QCOMPARE(Captions(List), QStringLiteral("row 1 row 2 row 3"));
}

void tst_ListViewEx::SubItemsAndData()
{
    TListViewEx List;
    List.setColumnCount(4);
    int Document = 0;
    QTreeWidgetItem* Item = List.AddItem(QStringLiteral("a.txt"), {QStringLiteral("s")}, &Document);
    List.AddItem(QStringLiteral("b.txt"));

    QCOMPARE(TListViewEx::SubItemCount(Item), 1);
    QVERIFY(!TListViewEx::SetSubItem(Item, 2, QStringLiteral("gap")));
    QCOMPARE(TListViewEx::SubItemCount(Item), 1);
    QVERIFY(Item->text(3).isEmpty());
    QVERIFY(TListViewEx::SetSubItem(Item, 1, QStringLiteral("appended")));
    QVERIFY(TListViewEx::SetSubItem(Item, 0, QStringLiteral("replaced")));
    QCOMPARE(TListViewEx::SubItemCount(Item), 2);
    QCOMPARE(Item->text(1), QStringLiteral("replaced"));
    QCOMPARE(Item->text(2), QStringLiteral("appended"));
    QCOMPARE(TListViewEx::SubItem(Item, 1), QStringLiteral("appended"));

    QCOMPARE(TListViewEx::ItemData(Item), static_cast<void*>(&Document));
    QCOMPARE(List.FindData(&Document), Item);
    QCOMPARE(TListViewEx::ItemData(List.topLevelItem(1)), nullptr);
    TListViewEx::SetItemData(Item, nullptr);
    QCOMPARE(List.FindData(&Document), nullptr);
}

void tst_ListViewEx::DraggingADividerReportsTheResize_data()
{
    QTest::addColumn<int>("PressOffset");
    QTest::addColumn<int>("Column");
    QTest::addColumn<bool>("StretchLast");

    // Offsets from the divider between columns 1 and 2, inside the header's grab margin.
    QTest::newRow("end of column 1") << -1 << 1 << false;
    QTest::newRow("start of column 2") << 1 << 1 << false;
    // The last column gives way to the dragged one: only the dragged one is reported.
    QTest::newRow("last column stretched") << -1 << 1 << true;
    QTest::newRow("middle of column 2") << 30 << -1 << false;
}

void tst_ListViewEx::DraggingADividerReportsTheResize()
{
    QFETCH(int, PressOffset);
    QFETCH(int, Column);
    QFETCH(bool, StretchLast);

    const auto List = MakeList();
    QHeaderView* Header = List->header();
    Header->setStretchLastSection(StretchLast);
    QWidget* Viewport = Header->viewport();
    QSignalSpy Begins(List.get(), &TListViewEx::BeginColumnResize);
    QSignalSpy Moves(List.get(), &TListViewEx::ColumnResize);
    QSignalSpy Ends(List.get(), &TListViewEx::EndColumnResize);

    const int Divider = Header->sectionViewportPosition(2);
    const int Y = Header->height() / 2;
    const QPoint Press(Divider + PressOffset, Y);
    QTest::mousePress(Viewport, Qt::LeftButton, {}, Press);
    DragTo(Viewport, Press + QPoint(20, 0));
    DragTo(Viewport, Press + QPoint(30, 0));
    QTest::mouseRelease(Viewport, Qt::LeftButton, {}, Press + QPoint(30, 0));

    if (Column < 0) {
        QCOMPARE(Begins.count(), 0);
        QCOMPARE(Moves.count(), 0);
        QCOMPARE(Ends.count(), 0);
        QCOMPARE(List->columnWidth(1), 80);
        return;
    }
    QCOMPARE(Begins.count(), 1);
    QCOMPARE(Begins.at(0), (QList<QVariant>{Column, 80}));
    QCOMPARE(Moves.count(), 2);
    QCOMPARE(Moves.at(0), (QList<QVariant>{Column, 100}));
    QCOMPARE(Moves.at(1), (QList<QVariant>{Column, 110}));
    QCOMPARE(Ends.count(), 1);
    QCOMPARE(Ends.at(0), (QList<QVariant>{Column, 110}));
    QCOMPARE(List->columnWidth(1), 110);
}

void tst_ListViewEx::CellsShowGridLinesAndSelectionWithoutFocus()
{
    const auto List = MakeList();
    QTreeWidgetItem* Selected = List->topLevelItem(1);
    List->setCurrentItem(Selected);
    // Desktop themes often grey out the selection of inactive windows.
    QPalette Theme = List->palette();
    Theme.setColor(QPalette::Inactive, QPalette::Highlight, Theme.color(QPalette::Active, QPalette::Mid));
    List->setPalette(Theme);
    // Another window takes the focus, as a dialog opened from the page would.
    QWidget Other;
    Other.show();
    QApplication::setActiveWindow(&Other);
    QVERIFY(QTest::qWaitForWindowActive(&Other));
    QVERIFY(!List->isActiveWindow());

    const QColor Base = List->palette().color(QPalette::Base);
    const QColor Highlight = List->palette().color(QPalette::Active, QPalette::Highlight);
    const QRect Row = List->visualItemRect(List->topLevelItem(0));
    const QRect SelectedRow = List->visualItemRect(Selected);
    // Points in viewport coordinates: column 0's right border in the first row, a
    // blank spot just left of it, and a blank spot in the selected row.
    const int Border = List->header()->sectionViewportPosition(0) + List->columnWidth(0) - 1;
    const QPoint OnBorder(Border, Row.center().y());
    const QPoint InCell(Border - 3, Row.center().y());
    const QPoint InSelection(Border - 3, SelectedRow.center().y());
    const auto PixelAt = [&List](const QPoint& Point) {
        const QImage Image = List->grab().toImage();
        return Image.pixelColor(List->viewport()->mapTo(List.get(), Point));
    };

    QCOMPARE(PixelAt(OnBorder), Base);
    QCOMPARE(PixelAt(InSelection), Highlight);

    List->SetGridLines(true);
    QVERIFY(PixelAt(OnBorder) != Base);
    QCOMPARE(PixelAt(InCell), Base);
    QCOMPARE(PixelAt(InSelection), Highlight);
}

QTEST_MAIN(tst_ListViewEx)
#include "tst_listviewex.moc"
