#include "SubtitleEditor.h"

#include "BusyCursor.h"
#include "DesktopServices.h"
#include "ErrorHandler.h"
#include "FlagScope.h"
#include "Icons.h"
#include "MessageBox.h"
#include "ObjectInspector.h"
#include "Palette.h"
#include "Preview.h"
#include "ProjectCommands.h"

#include "components/ListViewEx.h"
#include "model/DocumentItem.h"
#include "model/Error.h"
#include "model/ObserverPause.h"
#include "model/Project.h"
#include "persistence/ProjectManager.h"
#include "titles/TitleFit.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>

#include <algorithm>
#include <ctime>

#include <sys/stat.h>

namespace {

constexpr int NameColumn = 0;
constexpr int ContentSubItem = 0;
constexpr int LinesSubItem = 1;
constexpr int LinesColumn = LinesSubItem + 1;
constexpr int SettingsColumn = 3;
constexpr int DateSubItem = 3;
constexpr int MarkSubItem = 4;
constexpr int SubItemCount = 5;

QString ShownContent(const QString& Text)
{
    return QString(Text).replace(QStringLiteral("\r\n"), QStringLiteral(" ¶ "));
}

// A title is replaced through a new file, which the system allows even where the title
// itself is read-only; a title the user has made read-only is left as it is.
void CheckWritable(const QString& Path)
{
    const QFileInfo File(Path);
    if (File.exists() && (!File.isWritable() || !File.permission(QFileDevice::WriteOwner)))
        throw EError(QCoreApplication::translate("TFoSubtitleEditor", "无法写入字幕文件 '%1'：文件是只读的。")
                         .arg(QDir::toNativeSeparators(File.absoluteFilePath())));
}

// The line count of a title with a line wider than its box stands out, its tooltip
// naming the line's width and the box's. Text is the title's text as its file holds it,
// or as Save All will write it.
void ShowFit(QTreeWidgetItem* Row, const TSubtitleItem& Item, const QString& Text)
{
    const TTitleFit Fit = TTitleFit::Of(Item, Text);
    if (!Fit.Overflows()) {
        // A fresh row holds nothing to take back; an edit may have made the title fit.
        if (Row->data(LinesColumn, Qt::BackgroundRole).isValid()) {
            Row->setData(LinesColumn, Qt::BackgroundRole, QVariant());
            Row->setToolTip(LinesColumn, QString());
        }
        return;
    }
    Row->setBackground(LinesColumn, Palette::TooWide.Color());
    Row->setToolTip(LinesColumn, QCoreApplication::translate("TFoSubtitleEditor", "有一行宽 %1 像素，超出文本框宽度 %2 像素")
                                     .arg(Fit.WidestLine())
                                     .arg(Fit.BoxWidth()));
}

bool Rewraps(const QString& PropertyName)
{
    return PropertyName == QLatin1String("SubtitleContent") || PropertyName == QLatin1String("FontSize")
           || PropertyName == QLatin1String("BoxWidth");
}

} // namespace

TFoSubtitleEditor::TFoSubtitleEditor(IProjectCommands& Commands, QWidget* Parent)
    : TFoEditor(Parent)
    , FCommands(Commands)
{
    setObjectName(QStringLiteral("FoSubtitleEditor"));
    TListViewEx* List = lvObjects();
    List->setHeaderLabels({tr("字幕名称"), tr("内容"), tr("线"), tr("设置"), tr("日期"), QString()});
    const int Widths[] = {90, 180, 40, 220, 105, 25};
    for (int Column = 0; Column < 6; ++Column)
        List->header()->resizeSection(Column, Widths[Column]);
    List->headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    List->headerItem()->setTextAlignment(5, Qt::AlignCenter);
    List->setSelectionMode(QAbstractItemView::SingleSelection);
    List->viewport()->installEventFilter(this);

    FOpenSubtitle = AddTask(QStringLiteral("acOpenSubtitle"), tr("打开字幕"),
                            TIcons::Icon(TIcons::TRole::OpenSubtitle), [this] { OpenSubtitle(); });
    FExplore = AddTask(QStringLiteral("acExplore"), tr("打开资源管理器"), TIcons::Icon(TIcons::TRole::Explore),
                       [this] { Explore(); });
    connect(frPreview(), &TFrPreview::UpClicked, this, TErrorHandler::Guard(this, [this] { SelectPrevious(); }));
    connect(frPreview(), &TFrPreview::DownClicked, this, TErrorHandler::Guard(this, [this] { SelectNext(); }));
    CreateBottomPanel();
    UpdateTaskStates();
}

TFoSubtitleEditor::~TFoSubtitleEditor()
{
    ClearSubtitles();
}

void TFoSubtitleEditor::CreateBottomPanel()
{
    QWidget* Panel = AddBottomPanel(QStringLiteral("pnSubtitleEditorMenu"));
    FSaveAll = new QPushButton(TIcons::Icon(TIcons::TRole::SaveAll), tr("保存所有"), Panel);
    FSaveAll->setObjectName(QStringLiteral("btSaveAll"));
    FSaveAll->setToolTip(tr("启动"));
    FSaveAll->setFixedSize(95, 24);
    connect(FSaveAll, &QPushButton::clicked, this, TErrorHandler::Guard(this, [this] { SaveAll(); }));
    auto* Layout = new QHBoxLayout(Panel);
    Layout->setContentsMargins(0, 0, 8, 0);
    Layout->addStretch();
    Layout->addWidget(FSaveAll);
}

bool TFoSubtitleEditor::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == lvObjects()->viewport() && Event->type() == QEvent::MouseButtonDblClick) {
        TErrorHandler::Run(this, [this] { OpenSubtitle(); });
        return true;
    }
    return TFoEditor::eventFilter(Watched, Event);
}

void TFoSubtitleEditor::ClearSubtitles()
{
    {
        const TFlagScope Changing(FChangingRows);
        lvObjects()->clear();
        FRows.clear();
        FSubtitles.clear();
        FShownItem = nullptr;
    }
    frObjectInspector()->ClearObjects(true);
    SetTestText(QString());
    UpdatePreview();
    UpdateTaskStates();
}

void TFoSubtitleEditor::LoadSubtitles(const TDocumentItem& Item)
{
    ClearSubtitles();
    FShownItem = &Item;
    {
        const TFlagScope Changing(FChangingRows);
        // The rows are filled before they join the list, all in one insertion: a row in
        // the list would report every text set on it to the view. The rows read before
        // a title that fails join it as well.
        std::vector<std::unique_ptr<QTreeWidgetItem>> Rows;
        Rows.reserve(Item.ImmutableSubtitleItems().size());
        const auto AddRows = [this, &Rows] {
            QList<QTreeWidgetItem*> Added;
            Added.reserve(qsizetype(Rows.size()));
            for (const auto& Row : Rows)
                Added << Row.get();
            for (auto& Row : Rows)
                Row.release();
            lvObjects()->addTopLevelItems(Added);
        };
        try {
            for (const auto& Record : Item.ImmutableSubtitleItems()) {
                if (!Record)
                    continue;
                std::unique_ptr<TSubtitleItem> Subtitle = FFactory.ReadSubtitle(TitlePath(*Record));
                TSubtitleItem* Shown = Subtitle.get();
                FSubtitles.push_back(std::move(Subtitle));
                Rows.push_back(std::make_unique<QTreeWidgetItem>());
                QTreeWidgetItem* Row = Rows.back().get();
                Row->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
                Row->setTextAlignment(5, Qt::AlignCenter);
                SetRowItem(Row, Shown);
                FRows.insert(Shown, Row);
                Shown->SetOnChanged([this](TObservableObject& Sender, const QString& PropertyName) {
                    SubtitleItemChanged(Sender, PropertyName);
                });
                Shown->SetAttachedItem(Record.get());
                Record->AssignTo(Shown);
                Row->setText(NameColumn, Shown->GetName());
                TListViewEx::SetSubItem(Row, ContentSubItem, ShownContent(Shown->SubtitleContent()));
                TListViewEx::SetSubItem(Row, LinesSubItem, QString::number(Shown->SubtitleLineCount()));
                ShowFit(Row, *Shown, Shown->SubtitleContent());
                TListViewEx::SetSubItem(Row, 2, Shown->ToString());
                TListViewEx::SetSubItem(Row, DateSubItem, ModificationTime(TitlePath(*Shown)));
                TListViewEx::SetSubItem(Row, MarkSubItem, QString());
            }
        } catch (...) {
            AddRows();
            throw;
        }
        AddRows();
        lvObjects()->Sort();
    }
    SelectRow(lvObjects()->topLevelItem(0));
    UpdateTaskStates();
}

void TFoSubtitleEditor::SubtitleItemChanged(TObservableObject& Sender, const QString& PropertyName)
{
    QTreeWidgetItem* Row = FRows.value(&Sender);
    if (!Row)
        return;
    auto& Item = static_cast<TSubtitleItem&>(Sender);
    const bool HasColumns = TListViewEx::SubItemCount(Row) >= SubItemCount;
    if (HasColumns)
        TListViewEx::SetSubItem(Row, MarkSubItem, QStringLiteral("*"));
    RefreshItemText(SettingsColumn, Row);
    if (!Rewraps(PropertyName))
        return;
    qint32 LineBreaks = 0;
    const QString Wrapped = FFactory.WrapText(&Item, Item.SubtitleContent(), LineBreaks);
    Item.SetSubtitleLineCount(LineBreaks + 1);
    if (HasColumns) {
        TListViewEx::SetSubItem(Row, ContentSubItem, ShownContent(Wrapped));
        TListViewEx::SetSubItem(Row, LinesSubItem, QString::number(LineBreaks + 1));
        ShowFit(Row, Item, Wrapped);
    }
}

TSubtitleItem* TFoSubtitleEditor::SelectedSubtitle() const
{
    const QList<QTreeWidgetItem*> Rows = SelectedRows();
    return Rows.isEmpty() ? nullptr : RowItem(Rows.first());
}

void TFoSubtitleEditor::lvObjectsChange()
{
    UpdateTaskStates();
    if (FChangingRows)
        return;
    const TBusyCursor Busy(Qt::BusyCursor);
    SetTestText(QString());
    frObjectInspector()->ClearObjects(false);
    if (TSubtitleItem* Item = SelectedSubtitle()) {
        frObjectInspector()->AddObject(Item, false);
        SetTestText(Item->SubtitleContent());
    }
    frObjectInspector()->RefreshProperties();
    // The base's selection handler, which runs right after this, redraws the preview;
    // a redraw here as well would render every frame twice.
}

void TFoSubtitleEditor::UpdatePreview()
{
    DrawPreview(SelectedSubtitle());
}

void TFoSubtitleEditor::frPreviewmeTestChange()
{
    UpdatePreview();
    if (TSubtitleItem* Item = SelectedSubtitle())
        Item->SetSubtitleContent(GetTestText());
}

void TFoSubtitleEditor::SelectRow(QTreeWidgetItem* Row)
{
    if (!Row)
        return;
    lvObjects()->setCurrentItem(Row);
    // A row that is already partly visible stays where it is.
    const QRect Shown = lvObjects()->visualItemRect(Row);
    if (!Shown.intersects(lvObjects()->viewport()->rect()))
        lvObjects()->scrollToItem(Row);
}

void TFoSubtitleEditor::SelectPrevious()
{
    const QList<QTreeWidgetItem*> Rows = SelectedRows();
    if (!Rows.isEmpty())
        SelectRow(lvObjects()->itemAbove(Rows.first()));
}

void TFoSubtitleEditor::SelectNext()
{
    const QList<QTreeWidgetItem*> Rows = SelectedRows();
    if (!Rows.isEmpty())
        SelectRow(lvObjects()->itemBelow(Rows.first()));
}

void TFoSubtitleEditor::OpenSubtitle()
{
    if (const TSubtitleItem* Item = SelectedSubtitle())
        TDesktopServices::OpenFile(TitlePath(*Item));
}

void TFoSubtitleEditor::Explore()
{
    if (const TSubtitleItem* Item = SelectedSubtitle())
        TDesktopServices::ShowInFileManager(TitlePath(*Item), this);
}

void TFoSubtitleEditor::SaveAll()
{
    const TProject& Project = ProjectManager().GetActiveProject();
    if (Project.FileName().isEmpty())
        throw EError(tr("Mielőtt módosítaná a feliratokat, kérem mentse el a projektet valamilyen néven!"));
    if (FRunning)
        return;
    {
        const TBusyCursor Busy;
        const TFlagScope Changing(FChangingRows);
        for (int Index = lvObjects()->topLevelItemCount() - 1; Index >= 0; --Index) {
            QTreeWidgetItem* Row = lvObjects()->topLevelItem(Index);
            TSubtitleItem* Item = RowItem(Row);
            if (!Item || TListViewEx::SubItem(Row, MarkSubItem) != QLatin1String("*"))
                continue;
            {
                const TObserverPause Detached(*Item);
                CheckWritable(TitlePath(*Item));
                FFactory.RewriteSubtitle(*Item, TitlePath(*Item));
                // Only a title that was written may have its record follow the edit: the
                // project must not describe a title that is not on disk.
                if (Item->AttachedItem())
                    Item->AssignTo(Item->AttachedItem());
            }
            TListViewEx::SetSubItem(Row, DateSubItem, ModificationTime(TitlePath(*Item)));
            TListViewEx::SetSubItem(Row, MarkSubItem, QString());
        }
        FCommands.SaveProject();
    }
    TMessageBox::Success(this);
}

void TFoSubtitleEditor::SetRunning(bool Running)
{
    FRunning = Running;
    UpdateTaskStates();
}

void TFoSubtitleEditor::DocumentItemsRemoving(const std::vector<const TDocumentItem*>& Items)
{
    if (FShownItem && std::find(Items.begin(), Items.end(), FShownItem) != Items.end())
        ClearSubtitles();
}

void TFoSubtitleEditor::UpdateTaskStates()
{
    const bool HasSelection = lvObjects()->selectionModel()->hasSelection();
    FOpenSubtitle->setEnabled(HasSelection);
    FExplore->setEnabled(HasSelection);
    FSaveAll->setEnabled(!FRunning);
}

QString TFoSubtitleEditor::TitlePath(const TImmutableSubtitleItem& Item)
{
    QString Directory = Item.SubtitleDirectory();
    if (!Directory.isEmpty() && !Directory.endsWith(QLatin1Char('/')))
        Directory += QLatin1Char('/');
    return Directory + Item.SubtitleFileName();
}

QString TFoSubtitleEditor::ModificationTime(const QString& Path)
{
    // Read and formatted directly: QFileInfo's conversion to local time and the parsing
    // of a date pattern each cost more than the stat itself, ten thousand times over.
    struct stat Status;
    struct tm Local;
    if (::stat(QFile::encodeName(Path).constData(), &Status) != 0 || !::localtime_r(&Status.st_mtime, &Local))
        return QString();
    const int Year = Local.tm_year + 1900;
    if (Year < 0 || Year > 9999)
        return QFileInfo(Path).lastModified().toString(QStringLiteral("yyyy.MM.dd HH:mm"));
    QString Text(16, Qt::Uninitialized);
    QChar* Out = Text.data();
    const auto Put = [&Out](int Value, int Digits, char16_t After) {
        for (int Digit = Digits - 1; Digit >= 0; --Digit, Value /= 10)
            Out[Digit] = QChar(char16_t(u'0' + Value % 10));
        Out += Digits;
        if (After)
            *Out++ = QChar(After);
    };
    Put(Year, 4, u'.');
    Put(Local.tm_mon + 1, 2, u'.');
    Put(Local.tm_mday, 2, u' ');
    Put(Local.tm_hour, 2, u':');
    Put(Local.tm_min, 2, 0);
    return Text;
}
