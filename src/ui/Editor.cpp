#include "Editor.h"

#include "ErrorHandler.h"
#include "InterfaceFont.h"
#include "MenuStyle.h"
#include "ObjectInspector.h"
#include "Panel.h"
#include "Palette.h"
#include "PlainSplitter.h"
#include "Preview.h"

#include "components/ListViewEx.h"
#include "model/SubtitleItem.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QMenu>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int DesignWidth = 800;
constexpr int DesignHeight = 600;
constexpr int ListWidth = 500;
constexpr int SplitterWidth = 3;
constexpr int InspectorHeight = 250;
// Two lines of the description: the property's text and its default.
constexpr int DescriptionLines = 2;
constexpr int KeyColumnWidth = 125;
constexpr int BottomPanelHeight = 41;

} // namespace

TFoEditor::TFoEditor(QWidget* Parent)
    : QWidget(Parent)
{
    setFont(TInterfaceFont::Font());
    resize(DesignWidth, DesignHeight);

    auto* List = new QWidget(this);
    List->setObjectName(QStringLiteral("pnList"));
    FObjects = new TListViewEx(List);
    FObjects->setObjectName(QStringLiteral("lvObjects"));
    FObjects->SetGridLines(true);
    FObjects->SetAllowSort(true);
    FObjects->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FObjects->setSelectionBehavior(QAbstractItemView::SelectRows);
    FObjects->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FObjects->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* ListLayout = new QVBoxLayout(List);
    ListLayout->setContentsMargins(0, 0, 0, 0);
    ListLayout->addWidget(FObjects);

    FInspectorPanel = new QWidget(this);
    FInspectorPanel->setObjectName(QStringLiteral("pnObjectInspector"));
    FPreview = new TFrPreview;
    FPreview->setObjectName(QStringLiteral("frPreview"));
    FInspector = new TFrObjectInspector;
    FInspector->setObjectName(QStringLiteral("frObjectInspector"));
    FInspector->SetDescriptionLines(DescriptionLines);
    FInspector->SetKeyColumnWidth(KeyColumnWidth);
    auto* Details = new TPlainSplitter(Qt::Vertical, Palette::DetailsSplitter, FInspectorPanel);
    Details->setObjectName(QStringLiteral("spDetails"));
    Details->setHandleWidth(SplitterWidth);
    Details->setChildrenCollapsible(false);
    Details->addWidget(FPreview);
    Details->addWidget(FInspector);
    Details->setStretchFactor(0, 1);
    Details->setStretchFactor(1, 0);
    Details->setSizes({DesignHeight - InspectorHeight - SplitterWidth, InspectorHeight});
    auto* PanelLayout = new QVBoxLayout(FInspectorPanel);
    PanelLayout->setContentsMargins(0, 0, 0, 0);
    PanelLayout->addWidget(Details);

    auto* Sides = new QSplitter(Qt::Horizontal, this);
    Sides->setObjectName(QStringLiteral("spDOP"));
    Sides->setChildrenCollapsible(false);
    Sides->setOpaqueResize(true);
    Sides->setHandleWidth(SplitterWidth);
    Sides->addWidget(List);
    Sides->addWidget(FInspectorPanel);
    Sides->setStretchFactor(0, 0);
    Sides->setStretchFactor(1, 1);
    Sides->setSizes({ListWidth, DesignWidth - ListWidth - SplitterWidth});
    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    Layout->addWidget(Sides, 1);

    FTasksMenu = new QMenu(this);
    FTasksMenu->setObjectName(QStringLiteral("pmTasks"));
    TMenuStyle::Install(FTasksMenu);

    connect(FObjects, &QWidget::customContextMenuRequested, this, [this](const QPoint& Position) {
        FTasksMenu->popup(FObjects->viewport()->mapToGlobal(Position));
    });
    connect(FObjects->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            TErrorHandler::Guard(this, [this] {
                lvObjectsChange();
                lvObjectsSelectItem();
            }));
    FInspector->SetOnValidate([this](int ACol, int ARow, const QString& KeyName, const QString& KeyValue) {
        frObjectInspectorvlObjectInspectorValidate(ACol, ARow, KeyName, KeyValue);
    });
    FInspector->SetOnEditButtonClick([this] { frObjectInspectorvlObjectInspectorEditButtonClick(); });
    connect(FPreview, &TFrPreview::BackgroundClicked, this, TErrorHandler::Guard(this, [this] { frPreviewrbBkgClick(); }));
    connect(FPreview, &TFrPreview::TestTextChanged, this,
            TErrorHandler::Guard(this, [this] { frPreviewmeTestChange(); }));
}

void TFoEditor::UpdatePreview()
{
}

void TFoEditor::SetTestText(const QString& Text)
{
    FPreview->SetTestText(Text);
}

QString TFoEditor::GetTestText() const
{
    return FPreview->TestText();
}

void TFoEditor::DrawPreview(const TSubtitleItem* Item)
{
    FPreview->DrawPreview(Item);
}

void TFoEditor::RefreshItemText(int Column, QTreeWidgetItem* Item)
{
    if (!Item) {
        const QList<QTreeWidgetItem*> Selected = SelectedRows();
        if (Selected.isEmpty())
            return;
        Item = Selected.first();
    }
    const TSubtitleItem* Data = RowItem(Item);
    if (!Data)
        return;
    if (Column == 0)
        Item->setText(0, Data->ToString());
    else if (Column >= 1 && TListViewEx::SubItemCount(Item) >= Column)
        TListViewEx::SetSubItem(Item, Column - 1, Data->ToString());
}

TSubtitleItem* TFoEditor::RowItem(const QTreeWidgetItem* Row)
{
    return Row ? static_cast<TSubtitleItem*>(TListViewEx::ItemData(Row)) : nullptr;
}

void TFoEditor::SetRowItem(QTreeWidgetItem* Row, TSubtitleItem* Item)
{
    TListViewEx::SetItemData(Row, Item);
}

QList<QTreeWidgetItem*> TFoEditor::SelectedRows() const
{
    QModelIndexList Indexes = FObjects->selectionModel()->selectedRows();
    std::sort(Indexes.begin(), Indexes.end(),
              [](const QModelIndex& A, const QModelIndex& B) { return A.row() < B.row(); });
    QList<QTreeWidgetItem*> Rows;
    Rows.reserve(Indexes.size());
    for (const QModelIndex& Index : Indexes)
        Rows << FObjects->topLevelItem(Index.row());
    return Rows;
}

QAction* TFoEditor::AddTask(const QString& Name, const QString& Caption, const QIcon& Icon,
                            std::function<void()> Command)
{
    auto* Action = new QAction(Icon, Caption, this);
    Action->setObjectName(Name);
    Action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(Action, &QAction::triggered, this, TErrorHandler::Guard(this, std::move(Command)));
    addAction(Action);
    FTasksMenu->addAction(Action);
    return Action;
}

void TFoEditor::AddTaskSeparator()
{
    FTasksMenu->addSeparator();
}

QWidget* TFoEditor::AddBottomPanel(const QString& Name)
{
    QWidget* Panel = MakePanel(this, Name, Palette::Frame);
    Panel->setFixedHeight(BottomPanelHeight);
    static_cast<QVBoxLayout*>(layout())->addWidget(Panel);
    return Panel;
}

void TFoEditor::lvObjectsChange()
{
}

void TFoEditor::frPreviewmeTestChange()
{
    UpdatePreview();
}

void TFoEditor::lvObjectsSelectItem()
{
    UpdatePreview();
}

void TFoEditor::frObjectInspectorvlObjectInspectorEditButtonClick()
{
    FInspector->vlObjectInspectorEditButtonClick();
    UpdatePreview();
}

void TFoEditor::frObjectInspectorvlObjectInspectorValidate(int ACol, int ARow, const QString& KeyName,
                                                           const QString& KeyValue)
{
    FInspector->vlObjectInspectorValidate(ACol, ARow, KeyName, KeyValue);
    UpdatePreview();
}

void TFoEditor::frPreviewrbBkgClick()
{
    UpdatePreview();
}
