#include "DocumentEditor.h"

#include "DesktopServices.h"
#include "ErrorHandler.h"
#include "FileDialogFilter.h"
#include "FlagScope.h"
#include "Icons.h"
#include "MessageBox.h"
#include "ObjectInspector.h"
#include "Palette.h"
#include "Preview.h"
#include "ProjectCommands.h"

#include "components/ListViewEx.h"
#include "model/ApplicationDirectory.h"
#include "model/ChangedEventRelay.h"
#include "model/DocumentItem.h"
#include "model/Error.h"
#include "persistence/ProjectManager.h"
#include "titles/SubtitleFactoryThread.h"

#include <QAction>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>

#include <algorithm>

namespace {

constexpr int NameColumnWidth = 400;
constexpr int SettingsColumnWidth = 255;
constexpr int BarHeight = 17;
constexpr int ShortBarWidth = 100;
constexpr int DocumentsBarWidth = 150;

QStringList DocumentFilter()
{
    return TFileDialogFilter::NameFilters(QCoreApplication::translate(
        "TFoDocumentEditor",
        "所有支持的格式 (*.docx;*.doc;*.xlsx;*.xls;*.sub;*.txt)|*.docx;*.doc;*.xlsx;*.xls;*.sub;*.txt|"
        "Microsoft Word 文件 (*.docx;*.doc)|*.docx;*.doc|Microsoft Excel 工作表 (*.xlsx;*.xls)|*.xlsx;*.xls|"
        "SUB Subtitles (*.sub)|*.sub|纯文本文件 (*.txt)|*.txt|所以文件 (*.*)|*.*"));
}

QString Notice()
{
    return QCoreApplication::translate("TFoDocumentEditor", "这是简化的预览窗口.") + QStringLiteral("\r\n")
           + QCoreApplication::translate("TFoDocumentEditor", "很多属性不能显示") + QStringLiteral("\r\n")
           + QCoreApplication::translate("TFoDocumentEditor", "如边框，边框颜色等");
}

QProgressBar* MakeBar(QWidget* Parent, const char* Name)
{
    auto* Bar = new QProgressBar(Parent);
    Bar->setObjectName(QLatin1String(Name));
    Bar->setTextVisible(false);
    Bar->setFixedHeight(BarHeight);
    Bar->setStyleSheet(QStringLiteral("QProgressBar { background-color: %1; border: none; }"
                                      "QProgressBar::chunk { background-color: %2; }")
                           .arg(Palette::Base.Color().name(), Palette::ProgressFill.Color().name()));
    return Bar;
}

QString FileNameOf(const QString& Path)
{
    return QFileInfo(Path).fileName();
}

TDocumentItem* DocumentOf(const QTreeWidgetItem* Row)
{
    return static_cast<TDocumentItem*>(TFoEditor::RowItem(Row));
}

} // namespace

TFoDocumentEditor::TFoDocumentEditor(IProjectCommands& Commands, QWidget* Parent)
    : TFoEditor(Parent)
    , FCommands(Commands)
{
    setObjectName(QStringLiteral("FoDocumentEditor"));
    lvObjects()->setHeaderLabels({tr("文件名称"), tr("设置")});
    lvObjects()->header()->resizeSection(0, NameColumnWidth);
    lvObjects()->header()->resizeSection(1, SettingsColumnWidth);
    lvObjects()->setDragEnabled(true);
    lvObjects()->setAcceptDrops(true);
    lvObjects()->setDragDropMode(QAbstractItemView::DragDrop);
    lvObjects()->setDefaultDropAction(Qt::CopyAction);
    lvObjects()->viewport()->installEventFilter(this);
    frPreview()->SetNavigationVisible(false);
    frPreview()->SetTestWordWrap(false);

    FOpenDialog = new QFileDialog(this);
    FOpenDialog->setObjectName(QStringLiteral("odDocument"));
    FOpenDialog->setOption(QFileDialog::DontUseNativeDialog);
    FOpenDialog->setFileMode(QFileDialog::ExistingFiles);
    FOpenDialog->setNameFilters(DocumentFilter());
    FOpenDialog->setDirectory(ApplicationDirectory() + QStringLiteral("/Documents"));

    CreateTasks();
    CreateBottomPanel();
    ShowRunState();
}

TFoDocumentEditor::~TFoDocumentEditor()
{
    StopRun();
    ClearDocumentList();
}

void TFoDocumentEditor::CreateTasks()
{
    FOpenDoc = AddTask(QStringLiteral("acOpenDoc"), tr("打开文件"), TIcons::Icon(TIcons::TRole::OpenDocument),
                       [this] { OpenDocument(); });
    AddTaskSeparator();
    FAddDoc = AddTask(QStringLiteral("acAddDoc"), tr("添加文件"), TIcons::Icon(TIcons::TRole::AddDocument),
                      [this] { AddDocuments(); });
    FRemoveDoc = AddTask(QStringLiteral("acRemoveDoc"), tr("删除文件"), TIcons::Icon(TIcons::TRole::RemoveDocument),
                         [this] { RemoveDocuments(); });
    FRemoveDoc->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
    AddTaskSeparator();
    FSelectAll = AddTask(QStringLiteral("acSelectAll"), tr("全选"), QIcon(), [this] { SelectAll(); });
    FSelectAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    for (QAction* Action : {FOpenDoc, FAddDoc, FRemoveDoc, FSelectAll})
        Action->setProperty("category", tr("编辑"));
}

void TFoDocumentEditor::CreateBottomPanel()
{
    QWidget* Panel = AddBottomPanel(QStringLiteral("pnDocumentEditorMenu"));

    FDocumentBar = MakeBar(Panel, "pbDocument");
    FSubtitleBar = MakeBar(Panel, "pbSubtitle");
    FDocumentsBar = MakeBar(Panel, "pbDocuments");
    FStopButton = new QPushButton(tr("停止"), Panel);
    FStopButton->setObjectName(QStringLiteral("btStop"));
    FStopButton->setToolTip(tr("停止"));
    FStopButton->setIcon(TIcons::Icon(TIcons::TRole::Stop));
    FStopButton->setFixedSize(70, 24);
    FStartButton = new QPushButton(tr("开始"), Panel);
    FStartButton->setObjectName(QStringLiteral("btStart"));
    FStartButton->setToolTip(tr("开始"));
    FStartButton->setIcon(TIcons::Icon(TIcons::TRole::Start));
    FStartButton->setFixedSize(80, 24);
    FStartButton->setDefault(true);
    connect(FStartButton, &QPushButton::clicked, this, TErrorHandler::Guard(this, [this] { Start(); }));
    connect(FStopButton, &QPushButton::clicked, this, TErrorHandler::Guard(this, [this] { Stop(); }));
    Panel->installEventFilter(this);
}

bool TFoDocumentEditor::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == FStartButton->parent() && Event->type() == QEvent::Resize) {
        // The bars keep their places on the left; the buttons and the overall bar stay
        // anchored to the right edge, Start and Stop on top of each other.
        const auto* Panel = static_cast<QWidget*>(Watched);
        const int Width = Panel->width();
        const int BarTop = (Panel->height() - BarHeight) / 2;
        const int ButtonTop = (Panel->height() - FStartButton->height()) / 2;
        FDocumentBar->setGeometry(12, BarTop, ShortBarWidth, BarHeight);
        FSubtitleBar->setGeometry(118, BarTop, ShortBarWidth, BarHeight);
        FStartButton->move(Width - 8 - FStartButton->width(), ButtonTop);
        FStopButton->move(Width - 35 - FStopButton->width(), ButtonTop);
        FDocumentsBar->setGeometry(FStopButton->x() - 6 - DocumentsBarWidth, BarTop, DocumentsBarWidth, BarHeight);
        return false;
    }
    if (Watched != lvObjects()->viewport())
        return TFoEditor::eventFilter(Watched, Event);
    switch (Event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        // Files are taken during a run as well, to be refused with a word rather than
        // with a cursor the user may not notice.
        auto* Drag = static_cast<QDropEvent*>(Event);
        const bool OwnRows = Drag->source() == lvObjects();
        if (OwnRows || !LocalFiles(*Drag->mimeData()).isEmpty()) {
            // Copy, never move: a moving drop would let the list remove the dragged rows.
            Drag->setDropAction(Qt::CopyAction);
            Drag->accept();
        } else {
            Drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* Drop = static_cast<QDropEvent*>(Event);
        if (Drop->source() == lvObjects()) {
            Drop->setDropAction(Qt::CopyAction);
            Drop->accept();
            const QPoint Position = Drop->position().toPoint();
            TErrorHandler::Run(this, [this, Position] { DropSelectedRows(Position); });
            return true;
        }
        if (FRunning) {
            Drop->ignore();
        } else {
            Drop->setDropAction(Qt::CopyAction);
            Drop->accept();
        }
        // Adding may ask for the project's name, and a refusal shows a box; the program
        // the files come from waits until the drop has ended, so both come after it.
        const QStringList Files = LocalFiles(*Drop->mimeData());
        QMetaObject::invokeMethod(
            this, [this, Files] { TErrorHandler::Run(this, [this, &Files] { AddDocumentFiles(Files); }); },
            Qt::QueuedConnection);
        return true;
    }
    case QEvent::MouseButtonDblClick:
        TErrorHandler::Run(this, [this] {
            if (SelectedRows().isEmpty())
                AddDocuments();
            else
                OpenDocument();
        });
        return true;
    default:
        return TFoEditor::eventFilter(Watched, Event);
    }
}

void TFoDocumentEditor::keyPressEvent(QKeyEvent* Event)
{
    const bool Enter = Event->key() == Qt::Key_Return || Event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers Modifiers = Event->modifiers() & ~Qt::KeypadModifier;
    if (Enter && Modifiers == Qt::NoModifier && FStartButton->isVisible() && FStartButton->isEnabled()) {
        Event->accept();
        FStartButton->click();
        return;
    }
    TFoEditor::keyPressEvent(Event);
}

QStringList TFoDocumentEditor::LocalFiles(const QMimeData& Data)
{
    QStringList Files;
    for (const QUrl& Url : Data.urls())
        if (Url.isLocalFile() && QFileInfo(Url.toLocalFile()).isFile())
            Files << Url.toLocalFile();
    return Files;
}

void TFoDocumentEditor::showEvent(QShowEvent* Event)
{
    TFoEditor::showEvent(Event);
    if (FShownOnce)
        return;
    FShownOnce = true;
    SetTestText(Notice());
}

QTreeWidgetItem* TFoDocumentEditor::AddRow(TDocumentItem* Item, const QString& Caption)
{
    Watch(Item);
    QTreeWidgetItem* Row = lvObjects()->AddItem(Caption);
    SetRowItem(Row, Item);
    FRows.insert(Item, Row);
    return Row;
}

void TFoDocumentEditor::Watch(TDocumentItem* Item)
{
    Item->SetOnChanged(TChangedEventRelay::OnThreadOf(
        this, [this](TObservableObject& Sender, const QString& PropertyName) {
            TErrorHandler::Run(this, [&] { DocumentItemChanged(Sender, PropertyName); });
        }));
}

void TFoDocumentEditor::LoadDocumentItems(const TDocumentItems& Items,
                                          const std::vector<const TDocumentItem*>& Selected)
{
    ClearDocumentList();
    if (Items.empty())
        return;
    QList<QTreeWidgetItem*> Kept;
    {
        const TFlagScope Changing(FChangingRows);
        lvObjects()->setUpdatesEnabled(false);
        for (const auto& Item : Items) {
            QTreeWidgetItem* Row = AddRow(Item.get(), FileNameOf(Item->SourceFileName()));
            TListViewEx::SetSubItem(Row, 0, Item->ToString());
        }
        lvObjects()->setUpdatesEnabled(true);
        for (const TDocumentItem* Item : Selected)
            if (QTreeWidgetItem* Row = FRows.value(Item))
                Kept << Row;
        if (!Kept.isEmpty()) {
            lvObjects()->setCurrentItem(Kept.first());
            for (QTreeWidgetItem* Row : Kept)
                Row->setSelected(true);
            lvObjects()->scrollToItem(Kept.first());
        }
    }
    if (Kept.isEmpty()) {
        lvObjects()->setCurrentItem(lvObjects()->topLevelItem(0));
    } else {
        lvObjectsChange();
        UpdatePreview();
    }
    UpdateTaskStates();
}

void TFoDocumentEditor::ClearDocumentList()
{
    {
        const TFlagScope Changing(FChangingRows);
        lvObjects()->clear();
        FRows.clear();
    }
    frObjectInspector()->ClearObjects(true);
    UpdatePreview();
    UpdateTaskStates();
}

TDocumentItem* TFoDocumentEditor::SelectedDocumentItem() const
{
    const QList<QTreeWidgetItem*> Rows = SelectedRows();
    return Rows.isEmpty() ? nullptr : DocumentOf(Rows.first());
}

std::vector<const TDocumentItem*> TFoDocumentEditor::SelectedDocumentItems() const
{
    std::vector<const TDocumentItem*> Items;
    for (const QTreeWidgetItem* Row : SelectedRows())
        Items.push_back(DocumentOf(Row));
    return Items;
}

void TFoDocumentEditor::AddDocuments()
{
    // Withheld during a run like the command itself: a double-click below the rows asks
    // for nothing that could not be added.
    if (FRunning)
        return;
    ProjectManager().GetActiveProject();
    if (FOpenDialog->exec() != QDialog::Accepted)
        return;
    AddDocumentFiles(FOpenDialog->selectedFiles());
}

void TFoDocumentEditor::AddDocumentFiles(const QStringList& FileNames)
{
    if (FileNames.isEmpty())
        return;
    if (FRunning) {
        const QString First = FileNameOf(FileNames.first());
        throw EError(FileNames.size() == 1
                         ? tr("正在生成字幕，不能添加文件 '%1'。请在生成结束后再添加。").arg(First)
                         : tr("正在生成字幕，不能添加文件 '%1' 等 %2 个文件。请在生成结束后再添加。")
                               .arg(First)
                               .arg(FileNames.size()));
    }
    TProject& Project = ProjectManager().GetActiveProject();
    QTreeWidgetItem* Last = nullptr;
    {
        const TFlagScope Changing(FChangingRows);
        for (const QString& FileName : FileNames) {
            TDocumentItem* Item = Project.AddDocumentItem(std::make_unique<TDocumentItem>());
            Last = AddRow(Item, FileNameOf(FileName));
            Item->LoadAttributes(true);
            Item->SetSourceFileName(FileName);
            TListViewEx::SetSubItem(Last, 0, Item->ToString());
        }
    }
    lvObjects()->clearSelection();
    lvObjects()->setCurrentItem(Last);
    lvObjects()->scrollToItem(Last);
    UpdateTaskStates();
    if (Project.FileName().isEmpty())
        FCommands.SetSuggestedProjectName(QFileInfo(FileNames.first()).completeBaseName());
    FCommands.SaveProject();
}

void TFoDocumentEditor::RemoveDocuments()
{
    if (FRunning)
        return;
    TProject& Project = ProjectManager().GetActiveProject();
    const QList<QTreeWidgetItem*> Rows = SelectedRows();
    if (Rows.isEmpty())
        return;
    const int Above = lvObjects()->indexOfTopLevelItem(Rows.first()) - 1;
    std::vector<const TDocumentItem*> Items;
    for (QTreeWidgetItem* Row : Rows)
        Items.push_back(DocumentOf(Row));
    FCommands.DocumentItemsRemoving(Items);
    {
        const TFlagScope Changing(FChangingRows);
        // Nothing may refer to the items once they are freed.
        frObjectInspector()->ClearObjects(false);
        for (auto Row = Rows.crbegin(); Row != Rows.crend(); ++Row) {
            const TDocumentItem* Item = DocumentOf(*Row);
            FRows.remove(Item);
            delete *Row;
            Project.RemoveDocumentItem(Item);
        }
    }
    lvObjects()->clearSelection();
    if (Above >= 0)
        lvObjects()->setCurrentItem(lvObjects()->topLevelItem(Above));
    else
        lvObjectsChange();
    if (lvObjects()->topLevelItemCount() == 0)
        frObjectInspector()->ClearObjects(true);
    UpdatePreview();
    UpdateTaskStates();
}

void TFoDocumentEditor::OpenDocument()
{
    if (const TDocumentItem* Item = SelectedDocumentItem())
        TDesktopServices::OpenFile(Item->SourceFileName());
}

void TFoDocumentEditor::SelectAll()
{
    lvObjects()->selectAll();
}

void TFoDocumentEditor::DropSelectedRows(const QPoint& Position)
{
    QTreeWidgetItem* Target = lvObjects()->itemAt(Position);
    const QList<QTreeWidgetItem*> Rows = SelectedRows();
    if (Rows.isEmpty())
        return;
    // Dropped on one of the dragged rows: they go before the first row after it that
    // stays, so no row is lost.
    while (Target && Target->isSelected())
        Target = lvObjects()->topLevelItem(lvObjects()->indexOfTopLevelItem(Target) + 1);
    QTreeWidgetItem* Current = lvObjects()->currentItem();
    const TFlagScope Changing(FChangingRows);
    for (auto Row = Rows.crbegin(); Row != Rows.crend(); ++Row)
        lvObjects()->takeTopLevelItem(lvObjects()->indexOfTopLevelItem(*Row));
    int Index = Target ? lvObjects()->indexOfTopLevelItem(Target) : lvObjects()->topLevelItemCount();
    for (QTreeWidgetItem* Row : Rows)
        lvObjects()->insertTopLevelItem(Index++, Row);
    for (QTreeWidgetItem* Row : Rows)
        Row->setSelected(true);
    if (Current)
        lvObjects()->setCurrentItem(Current, 0, QItemSelectionModel::NoUpdate);
}

void TFoDocumentEditor::DocumentItemChanged(TObservableObject& Sender, const QString& PropertyName)
{
    QTreeWidgetItem* Row = FRows.value(&Sender);
    if (!Row)
        return;
    RefreshItemText(1, Row);
    if (PropertyName == QLatin1String("SourceFileName"))
        Row->setText(0, FileNameOf(DocumentOf(Row)->SourceFileName()));
}

void TFoDocumentEditor::RefreshRows()
{
    for (int Index = 0; Index < lvObjects()->topLevelItemCount(); ++Index) {
        QTreeWidgetItem* Row = lvObjects()->topLevelItem(Index);
        RefreshItemText(1, Row);
        if (const TDocumentItem* Item = DocumentOf(Row))
            Row->setText(0, FileNameOf(Item->SourceFileName()));
    }
}

void TFoDocumentEditor::lvObjectsChange()
{
    UpdateTaskStates();
    if (FChangingRows || FRunning)
        return;
    frObjectInspector()->ClearObjects(false);
    for (QTreeWidgetItem* Row : SelectedRows())
        frObjectInspector()->AddObject(DocumentOf(Row), false);
    frObjectInspector()->RefreshProperties();
}

void TFoDocumentEditor::UpdatePreview()
{
    if (FChangingRows || FRunning)
        return;
    const QList<QTreeWidgetItem*> Rows = SelectedRows();
    if (Rows.isEmpty())
        DrawPreview(nullptr);
    else if (Rows.size() == 1)
        DrawPreview(DocumentOf(Rows.first()));
}

void TFoDocumentEditor::UpdateTaskStates()
{
    const bool HasSelection = lvObjects()->selectionModel()->hasSelection();
    FOpenDoc->setEnabled(HasSelection);
    FAddDoc->setEnabled(!FRunning);
    FRemoveDoc->setEnabled(HasSelection && !FRunning);
    FSelectAll->setEnabled(lvObjects()->topLevelItemCount() > 0);
}

void TFoDocumentEditor::SwitchIdle(bool Idle)
{
    // While a run goes on its worker writes the items and raises their change notices
    // on its own thread, thousands a second. The rows are refreshed when it has ended,
    // so the page listens to none of them meanwhile: switched before the worker starts
    // and after it has ended, never while it writes.
    for (int Index = 0; Index < lvObjects()->topLevelItemCount(); ++Index) {
        if (TDocumentItem* Item = DocumentOf(lvObjects()->topLevelItem(Index))) {
            if (Idle)
                Watch(Item);
            else
                Item->SetOnChanged(nullptr);
        }
    }
    FRunning = !Idle;
    FCommands.RunStateChanged(!Idle);
    ShowRunState();
}

void TFoDocumentEditor::ShowRunState()
{
    const bool Idle = !FRunning;
    FStartButton->setVisible(Idle);
    for (QWidget* Running : std::initializer_list<QWidget*>{FStopButton, FDocumentBar, FSubtitleBar, FDocumentsBar})
        Running->setVisible(!Idle);
    for (QProgressBar* Bar : {FDocumentBar, FSubtitleBar, FDocumentsBar}) {
        Bar->setMaximum(100);
        Bar->setValue(0);
    }
    pnObjectInspector()->setEnabled(Idle);
    UpdateTaskStates();
}

void TFoDocumentEditor::Start()
{
    FCommands.ShowSourceDocuments();
    if (lvObjects()->topLevelItemCount() == 0)
        throw EError(tr("有没有源文件。"));
    FCommands.SaveProject();
    StopRun();
    TProject& Project = ProjectManager().GetActiveProject();
    SwitchIdle(false);
    try {
        std::vector<TDocumentItem*> Items;
        for (const auto& Item : Project.DocumentItems())
            Items.push_back(Item.get());
        FRun = std::make_unique<TSubtitleFactoryThread>(std::move(Items));
        // The handlers run on this thread and only show the figures: the worker may be
        // writing the next titles meanwhile. A page destroyed in the meantime (see
        // StopRun) must not be reached.
        const QPointer<TFoDocumentEditor> Page(this);
        FRun->OnDocumentLoad = [Page](qint32 Total, qint32 Position) {
            if (Page)
                Page->DocumentLoadProgress(Total, Position);
        };
        FRun->OnSubtitleProgress = [Page](qint32 Total, qint32 Position) {
            if (Page)
                Page->SubtitleProgress(Total, Position);
        };
        FRun->OnDocumentsProgress = [Page](qint32 Total, qint32 Position) {
            if (Page)
                Page->DocumentsProgress(Total, Position);
        };
        FRun->OnError = [Page](const QString& Message) { TMessageBox::Error(Page.data(), Message); };
        // The run announces its end from the event loop; a run already stopped or handed
        // to Dispose has been disconnected and is never heard of again.
        connect(FRun.get(), &TSubtitleFactoryThread::Ended, this, [this] {
            TErrorHandler::Run(this, [this] {
                if (FRun)
                    GenerationFinished(FRun->Completed());
            });
        });
        FRun->start();
    } catch (...) {
        FRun.reset();
        SwitchIdle(true);
        throw;
    }
}

void TFoDocumentEditor::Stop()
{
    if (!FRun)
        return;
    if (!FRun->Stop())
        return; // asked from inside one of the run's calls: it ends once that returns
    disconnect(FRun.get(), &TSubtitleFactoryThread::Ended, this, nullptr);
    GenerationFinished(FRun->Completed());
    FRun.reset();
    FDocumentsBar->setValue(0);
}

void TFoDocumentEditor::StopRun()
{
    if (!FRun)
        return;
    disconnect(FRun.get(), &TSubtitleFactoryThread::Ended, this, nullptr);
    TSubtitleFactoryThread::Dispose(std::move(FRun));
}

void TFoDocumentEditor::GenerationFinished(bool Completed)
{
    // Stop pressed while the end is being handled (the success box, the save dialog)
    // reports the end once more.
    if (!FRunning || FFinishing)
        return;
    const TFlagScope Finishing(FFinishing);
    if (Completed)
        TMessageBox::Success(this);
    SwitchIdle(true);
    FDocumentsBar->hide();
    RefreshRows();
    lvObjectsChange();
    UpdatePreview();
    // Saved first: the save rebuilds the rows from the project, the selected documents
    // selected again, and the subtitle page lists the titles of the row selected when
    // it is shown.
    FCommands.SaveProject();
    FCommands.ShowSubtitleFiles();
}

void TFoDocumentEditor::DocumentLoadProgress(qint32 Total, qint32 Position)
{
    FSubtitleBar->setValue(0);
    FDocumentBar->setMaximum(Total);
    FDocumentBar->setValue(Position);
}

void TFoDocumentEditor::SubtitleProgress(qint32 Total, qint32 Position)
{
    FSubtitleBar->setMaximum(Total);
    FSubtitleBar->setValue(Position);
}

void TFoDocumentEditor::DocumentsProgress(qint32 Total, qint32 Position)
{
    FDocumentsBar->setMaximum(Total);
    FDocumentsBar->setValue(Position);
    FDocumentsBar->repaint();
}
