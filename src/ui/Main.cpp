#include "Main.h"

#include "BusyCursor.h"
#include "DocumentEditor.h"
#include "ErrorHandler.h"
#include "FileDialogFilter.h"
#include "Icons.h"
#include "InterfaceFont.h"
#include "MenuStyle.h"
#include "MessageBox.h"
#include "Operation.h"
#include "Palette.h"
#include "Shape.h"
#include "SubtitleEditor.h"

#include "components/PageControlEx.h"
#include "components/Transition.h"
#include "model/ApplicationDirectory.h"
#include "model/Error.h"
#include "model/ProductInfo.h"
#include "model/Project.h"
#include "persistence/ProjectManager.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QScopedValueRollback>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr int MenuBarHeight = 26;
constexpr int FrameInset = 7;
constexpr int PageInset = 15;
constexpr int TabWidth = 125;
constexpr int BottomLineHeight = 5;
constexpr int BottomBarHeight = 50;
constexpr int SaveLabelPixels = 15;

QStringList ProjectFilter()
{
    return TFileDialogFilter::NameFilters(
        QCoreApplication::translate("TFoMain", "Nuvex 字幕项目(*.nvproj)|*.nvproj|所有文件 (*.*)|*.*"));
}

QFileDialog* MakeProjectDialog(QWidget* Parent, const char* Name, QFileDialog::AcceptMode Mode)
{
    auto* Dialog = new QFileDialog(Parent);
    Dialog->setObjectName(QLatin1String(Name));
    Dialog->setOption(QFileDialog::DontUseNativeDialog);
    Dialog->setAcceptMode(Mode);
    Dialog->setFileMode(Mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    Dialog->setNameFilters(ProjectFilter());
    Dialog->setDirectory(ApplicationDirectory() + QStringLiteral("/Projects"));
    if (Mode == QFileDialog::AcceptSave)
        Dialog->setDefaultSuffix(QStringLiteral("nvproj"));
    return Dialog;
}

TTransition* MakeBar(QWidget* Parent, const char* Name, int Height, const QColor& Begin, const QColor& End)
{
    auto* Bar = new TTransition(Parent);
    Bar->setObjectName(QLatin1String(Name));
    Bar->SetVertical(true);
    Bar->SetBeginColor(Begin);
    Bar->SetEndColor(End);
    Bar->setFixedHeight(Height);
    return Bar;
}

// Shows the saving notice for its lifetime, painted at once, and hides it on every path.
class TSavingNotice
{
public:
    explicit TSavingNotice(QLabel* Label, QWidget* Bar)
        : FLabel(Label)
    {
        FLabel->show();
        Bar->repaint();
    }
    ~TSavingNotice() { FLabel->hide(); }
    TSavingNotice(const TSavingNotice&) = delete;
    TSavingNotice& operator=(const TSavingNotice&) = delete;

private:
    QLabel* FLabel;
};

} // namespace

TFoMain::TFoMain(QWidget* Parent)
    : QMainWindow(Parent)
{
    setWindowTitle(TProductInfo::Title());
    setFont(TInterfaceFont::Font());
    QPalette Colours = palette();
    Colours.setColor(QPalette::Window, Palette::Base);
    Colours.setColor(QPalette::WindowText, Palette::LightText);
    setPalette(Colours);

    if (const QScreen* Screen = screen()) {
        const QRect Area = Screen->geometry();
        resize(int(Area.width() * 0.9), int(Area.height() * 0.9));
        move(Area.center() - rect().center());
    }

    CreateActions();
    FOpenDialog = MakeProjectDialog(this, "odProject", QFileDialog::AcceptOpen);
    FSaveDialog = MakeProjectDialog(this, "sdProject", QFileDialog::AcceptSave);

    auto* Surface = new QWidget(this);
    Surface->setAutoFillBackground(true);
    auto* Layout = new QVBoxLayout(Surface);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    Layout->addWidget(CreateMenuBar());
    Layout->addWidget(CreatePages(), 1);
    Layout->addWidget(MakeBar(Surface, "trMenuLine", BottomLineHeight, Palette::Frame, Palette::Base));
    Layout->addWidget(CreateBottomBar());
    setCentralWidget(Surface);

    ProjectManager().SetOnChange([this](TProjectManager&) { ProjectChanged(); });
    UpdateCommandStates();
}

TFoMain::~TFoMain()
{
    ProjectManager().SetOnChange({});
    // The documents page stops a run still in progress; it goes first, while the
    // subtitle page it tells about the run still exists.
    delete FDocumentEditor;
    FDocumentEditor = nullptr;
}

QAction* TFoMain::AddCommand(const char* Name, const QString& Caption, const QKeySequence& Shortcut,
                             const QIcon& Icon, void (TFoMain::*Command)())
{
    auto* Action = new QAction(Icon, Caption, this);
    Action->setObjectName(QLatin1String(Name));
    Action->setShortcut(Shortcut);
    connect(Action, &QAction::triggered, this, TErrorHandler::Guard(this, [this, Command] { (this->*Command)(); }));
    addAction(Action);
    return Action;
}

void TFoMain::CreateActions()
{
    FNewProject = AddCommand("acNewProject", tr("新建文件"), QKeySequence(Qt::CTRL | Qt::Key_N),
                             TIcons::Icon(TIcons::TRole::NewProject), &TFoMain::NewProject);
    FOpenProject = AddCommand("acOpenProject", tr("打开项目"), QKeySequence(Qt::CTRL | Qt::Key_O),
                              TIcons::Icon(TIcons::TRole::OpenProject), &TFoMain::OpenProject);
    FSaveProject = AddCommand("acSaveProject", tr("保存项目"), QKeySequence(Qt::CTRL | Qt::Key_S),
                              TIcons::Icon(TIcons::TRole::SaveProject), &TFoMain::SaveProject);
    FSaveProjectAs = AddCommand("acSaveProjectAs", tr("项目保存为..."), {}, {}, &TFoMain::SaveProjectAs);
    FSaveProjectAs->setToolTip(FSaveProjectAs->text());
    FExit = AddCommand("acExit", tr("退出"), {}, {}, &TFoMain::Exit);
    FExit->setToolTip(FExit->text());
    FSupport = AddCommand("acSupport", tr("支持"), {}, {}, &TFoMain::Support);
    FEmailSupport = AddCommand("acEmailSupport", tr("发送反馈"), {}, {}, &TFoMain::EmailSupport);
    FAbout = AddCommand("acAbout", tr("关于 Nuvex 字幕机"), {}, {}, &TFoMain::About);
    FAbout->setToolTip(FAbout->text());
}

QWidget* TFoMain::CreateMenuBar()
{
    TTransition* Bar = MakeBar(this, "cbMenu", MenuBarHeight, Palette::Highlight, Palette::Base);
    auto* Tools = new QToolBar(Bar);
    Tools->setObjectName(QStringLiteral("tbMenu"));
    Tools->setMovable(false);
    Tools->setFloatable(false);
    Tools->setStyleSheet(QStringLiteral("QToolBar { background: transparent; border: none; spacing: 0px; padding: 0px; }"
                                        "QToolButton { color: %1; border: none; padding: 2px 10px; }"
                                        "QToolButton:hover, QToolButton:pressed { background: %2; color: %3; }"
                                        "QToolButton::menu-indicator { image: none; width: 0px; }")
                             .arg(Palette::LightText.Color().name(), Palette::Highlight.Color().name(),
                                  Palette::Base.Color().name()));

    FFileMenu = new QMenu(tr("文件"), this);
    FFileMenu->setObjectName(QStringLiteral("miFile"));
    FFileMenu->addAction(FNewProject);
    FFileMenu->addAction(FOpenProject);
    FFileMenu->addSeparator();
    FFileMenu->addAction(FSaveProject);
    FFileMenu->addAction(FSaveProjectAs);
    FFileMenu->addSeparator()->setVisible(false);
    FFileMenu->addAction(FExit);
    TMenuStyle::Install(FFileMenu);

    FHelpMenu = new QMenu(tr("帮助"), this);
    FHelpMenu->setObjectName(QStringLiteral("miHelp"));
    FHelpMenu->addAction(FSupport);
    FHelpMenu->addAction(FEmailSupport);
    FHelpMenu->addSeparator();
    FHelpMenu->addAction(FAbout);
    TMenuStyle::Install(FHelpMenu);

    for (auto [Name, Menu] : {std::pair{"tbtFile", FFileMenu}, std::pair{"tbtHelp", FHelpMenu}}) {
        auto* Button = new QToolButton(Tools);
        Button->setObjectName(QLatin1String(Name));
        Button->setText(Menu->title());
        Button->setMenu(Menu);
        Button->setPopupMode(QToolButton::InstantPopup);
        Button->setAutoRaise(true);
        Button->setFixedHeight(MenuBarHeight);
        Tools->addWidget(Button);
    }
    auto* BarLayout = new QHBoxLayout(Bar);
    BarLayout->setContentsMargins(0, 0, 0, 0);
    BarLayout->addWidget(Tools);
    BarLayout->addStretch();
    return Bar;
}

QWidget* TFoMain::CreatePages()
{
    auto* Surface = new QWidget(this);
    auto* Frame = new TShape(Surface);
    Frame->setObjectName(QStringLiteral("shFrame"));
    Frame->SetPenColor(Palette::Frame);
    auto* SurfaceLayout = new QVBoxLayout(Surface);
    SurfaceLayout->setContentsMargins(FrameInset, FrameInset, FrameInset, FrameInset);
    SurfaceLayout->addWidget(Frame);

    FPageControl = new TPageControlEx(Frame);
    FPageControl->setObjectName(QStringLiteral("pcMain"));
    FPageControl->SetTabWidth(TabWidth);
    FPageControl->SetTabStartColor(Palette::Frame);
    FPageControl->SetTabEndColor(Palette::Base);
    FPageControl->SetSelectedTabStartColor(Palette::SelectedTabStart);
    FPageControl->SetSelectedTabEndColor(Palette::SelectedTabEnd);
    const int Inner = PageInset - FrameInset;
    auto* FrameLayout = new QVBoxLayout(Frame);
    FrameLayout->setContentsMargins(Inner, Inner, Inner, Inner);
    FrameLayout->addWidget(FPageControl);

    FSourceDocuments = new QWidget;
    FSourceDocuments->setObjectName(QStringLiteral("tsSourceDocuments"));
    FSubtitleFiles = new QWidget;
    FSubtitleFiles->setObjectName(QStringLiteral("tsSubtitleFiles"));
    FDocumentEditor = new TFoDocumentEditor(*this, FSourceDocuments);
    FSubtitleEditor = new TFoSubtitleEditor(*this, FSubtitleFiles);
    for (auto [Page, Editor] : {std::pair<QWidget*, QWidget*>{FSourceDocuments, FDocumentEditor},
                                std::pair<QWidget*, QWidget*>{FSubtitleFiles, FSubtitleEditor}}) {
        auto* PageLayout = new QVBoxLayout(Page);
        PageLayout->setContentsMargins(0, 0, 0, 0);
        PageLayout->addWidget(Editor);
        // The pages keep the desktop's colours inside the dark window: every role set, so
        // that none of the window's own colours (its light text) reaches them.
        QPalette Desktop = QGuiApplication::palette();
        Desktop.setResolveMask(~QPalette::ResolveMask(0));
        Page->setPalette(Desktop);
        Page->setAutoFillBackground(true);
    }
    FPageControl->addTab(FSourceDocuments, tr("源文件"));
    FPageControl->addTab(FSubtitleFiles, tr("字幕文件"));
    FPageControl->setCurrentWidget(FSourceDocuments);
    connect(FPageControl, &QTabWidget::currentChanged, this, [this](int Index) {
        if (FPageControl->widget(Index) == FSubtitleFiles)
            TErrorHandler::Run(this, [this] { SubtitleFilesShown(); });
    });
    return Surface;
}

QWidget* TFoMain::CreateBottomBar()
{
    FBottomBar = MakeBar(this, "trMenu", BottomBarHeight, Palette::Frame, Palette::Base);
    auto* Notice = new QLabel(TProductInfo::LegalNotice(), FBottomBar);
    Notice->setObjectName(QStringLiteral("lbNotice"));
    Notice->setWordWrap(true);
    FSaveLabel = new QLabel(tr("生成..."), FBottomBar);
    FSaveLabel->setObjectName(QStringLiteral("lbSave"));
    QFont SaveFont = TInterfaceFont::Font(SaveLabelPixels);
    SaveFont.setBold(true);
    SaveFont.setItalic(true);
    FSaveLabel->setFont(SaveFont);
    FSaveLabel->hide();
    auto* Layout = new QHBoxLayout(FBottomBar);
    Layout->setContentsMargins(PageInset, 0, PageInset, 0);
    Layout->addWidget(Notice, 1);
    Layout->addWidget(FSaveLabel);
    return FBottomBar;
}

void TFoMain::showEvent(QShowEvent* Event)
{
    QMainWindow::showEvent(Event);
    if (FShown)
        return;
    FShown = true;
    TErrorHandler::Run(this, [] { ProjectManager().NewProject(QString()); });
    // The start dialog (or the project named on the command line) comes once the
    // window is on the screen.
    QMetaObject::invokeMethod(
        this,
        [this] {
            TErrorHandler::Run(this, [this] {
                if (FStartupProject.isEmpty())
                    ShowStartDialog();
                else
                    OpenProjectFile(std::exchange(FStartupProject, QString()));
            });
        },
        Qt::QueuedConnection);
}

void TFoMain::ShowStartDialog()
{
    const QPointer<TFoOperation> Dialog = new TFoOperation(this);
    const int Result = Dialog->exec();
    delete Dialog.data();
    switch (Result) {
    case TFoOperation::ResultNewProject:
        NewProject();
        break;
    case TFoOperation::ResultOpenProject:
        OpenProject();
        break;
    default:
        break;
    }
}

void TFoMain::NewProject()
{
    ShowSourceDocuments();
    ProjectManager().NewProject(QString());
    FSubtitleEditor->ClearSubtitles();
    FDocumentEditor->AddDocuments();
}

void TFoMain::OpenProject()
{
    ShowSourceDocuments();
    if (FOpenDialog->exec() != QDialog::Accepted || FOpenDialog->selectedFiles().isEmpty())
        return;
    OpenProjectFile(FOpenDialog->selectedFiles().constFirst());
}

void TFoMain::OpenProjectFile(const QString& FileName)
{
    ShowSourceDocuments();
    const TBusyCursor Busy;
    ProjectManager().OpenProject(FileName);
    FSubtitleEditor->ClearSubtitles();
}

void TFoMain::SaveProject()
{
    const TProject& Project = ProjectManager().GetActiveProject();
    if (Project.FileName().isEmpty()) {
        SaveProjectAs();
        return;
    }
    SaveProjectTo(Project.FileName());
}

void TFoMain::SaveProjectAs()
{
    ProjectManager().GetActiveProject();
    if (FSaveDialog->exec() != QDialog::Accepted || FSaveDialog->selectedFiles().isEmpty())
        return;
    SaveProjectTo(FSaveDialog->selectedFiles().constFirst());
}

void TFoMain::SaveProjectTo(const QString& FileName)
{
    const TSavingNotice Notice(FSaveLabel, FBottomBar);
    const TBusyCursor Busy;
    const QScopedValueRollback<std::vector<const TDocumentItem*>> Selection(
        FSavedSelection, FDocumentEditor->SelectedDocumentItems());
    ProjectManager().SaveProject(FileName);
}

void TFoMain::SetSuggestedProjectName(const QString& Name)
{
    FSaveDialog->selectFile(Name);
}

void TFoMain::ShowSourceDocuments()
{
    FPageControl->setCurrentWidget(FSourceDocuments);
}

void TFoMain::ShowSubtitleFiles()
{
    if (FPageControl->currentWidget() != FSubtitleFiles) {
        FPageControl->setCurrentWidget(FSubtitleFiles);
        return;
    }
    // Already the current page (the user looked at it during the run, when it stays
    // empty): no change of page announces it, so it is filled here.
    TErrorHandler::Run(this, [this] { SubtitleFilesShown(); });
}

void TFoMain::RunStateChanged(bool Running)
{
    FRunning = Running;
    if (Running)
        FSubtitleEditor->ClearSubtitles();
    FSubtitleEditor->SetRunning(Running);
    UpdateCommandStates();
}

void TFoMain::DocumentItemsRemoving(const std::vector<const TDocumentItem*>& Items)
{
    FSubtitleEditor->DocumentItemsRemoving(Items);
}

void TFoMain::ProjectChanged()
{
    const TProject* Project = ProjectManager().ActiveProject();
    if (!Project) {
        setWindowTitle(TProductInfo::Title());
        FDocumentEditor->ClearDocumentList();
    } else {
        if (Project->FileName().isEmpty())
            setWindowTitle(TProductInfo::Title());
        else
            setWindowTitle(TProductInfo::Title() + QStringLiteral(" - ")
                           + QFileInfo(Project->FileName()).completeBaseName());
        FDocumentEditor->LoadDocumentItems(Project->DocumentItems(), FSavedSelection);
    }
    UpdateCommandStates();
}

void TFoMain::UpdateCommandStates()
{
    const bool HasProject = ProjectManager().ActiveProject() != nullptr;
    FNewProject->setEnabled(!FRunning);
    FOpenProject->setEnabled(!FRunning);
    FSaveProject->setEnabled(HasProject && !FRunning);
    FSaveProjectAs->setEnabled(HasProject && !FRunning);
}

void TFoMain::SubtitleFilesShown()
{
    // During a run the records are being replaced; the rows come back after it.
    if (FRunning)
        return;
    const TDocumentItem* Item = FDocumentEditor->SelectedDocumentItem();
    if (!Item)
        return;
    const TBusyCursor Busy;
    FSubtitleEditor->LoadSubtitles(*Item);
}

void TFoMain::Exit()
{
    close();
}

void TFoMain::Support()
{
    if (!QDesktopServices::openUrl(QUrl(TProductInfo::SupportUrl())))
        throw EError(tr("无法打开支持网页 %1。").arg(TProductInfo::SupportUrl()));
}

void TFoMain::EmailSupport()
{
    const QString Address = QStringLiteral("mailto:") + TProductInfo::FeedbackAddress() + QStringLiteral("?Subject=")
                            + TProductInfo::Title() + QStringLiteral("&Body=Your feedback");
    if (!QDesktopServices::openUrl(QUrl(Address)))
        throw EError(tr("无法打开邮件程序，请将反馈发送到 %1。").arg(TProductInfo::FeedbackAddress()));
}

void TFoMain::About()
{
    TMessageBox::Information(this, TProductInfo::LegalNotice());
}
