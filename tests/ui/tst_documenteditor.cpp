#include "MainWindowHarness.h"
#include "UrlRecorder.h"

#include "ui/Preview.h"
#include "ui/PreviewImage.h"
#include "ui/SubtitleEditor.h"

#include "components/PageControlEx.h"
#include "persistence/XmlSerializer.h"

#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressBar>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QThreadPool>
#include <QUrl>

using namespace Harness;

namespace {

const QStringList FiveNames{QStringLiteral("a.txt"), QStringLiteral("b.txt"), QStringLiteral("c.txt"),
                            QStringLiteral("d.txt"), QStringLiteral("e.txt")};

// Enough lines that a run is still writing titles when it is stopped a few lines in.
constexpr int LongDocumentLines = 4000;

QStringList LongDocument()
{
    QStringList Lines;
    for (int Line = 1; Line <= LongDocumentLines; ++Line)
        Lines << QStringLiteral("Line %1").arg(Line);
    return Lines;
}

// A window with a project of documents named Names in Folder, each of one line.
struct TFixture
{
    explicit TFixture(const QStringList& Names = FiveNames)
    {
        for (const QString& Name : Names)
            Documents << WriteDocument(Folder.path(), Name, {Name});
        ProjectFile = WriteProject(Folder.path(), QStringLiteral("Five.nvproj"), Documents, TitleFolder());
    }

    QString TitleFolder() const { return Folder.path(); }
    QString TitlesOf(const QString& DocumentName) const
    {
        return Folder.filePath(QFileInfo(DocumentName).completeBaseName());
    }

    bool Show() { return ShowWithProject(*Window, ProjectFile); }
    TFoDocumentEditor& Page() const { return *Window->DocumentEditor(); }
    TListViewEx* List() const { return Page().lvObjects(); }
    QPushButton* Button(const char* Name) const { return Page().findChild<QPushButton*>(QLatin1String(Name)); }
    QProgressBar* Bar(const char* Name) const { return Page().findChild<QProgressBar*>(QLatin1String(Name)); }
    TProject& Project() const { return ProjectManager().GetActiveProject(); }
    QString InspectorCaption() const
    {
        return Page().frObjectInspector()->findChild<QLabel*>(QStringLiteral("lbInfo"))->text();
    }

    QTemporaryDir Folder;
    QStringList Documents;
    QString ProjectFile;
    std::unique_ptr<TFoMain> Window = std::make_unique<TFoMain>();
};

void SelectRows(TListViewEx* List, const QList<int>& Rows)
{
    List->clearSelection();
    for (int Row : Rows)
        ClickRow(List, Row - 1, Qt::ControlModifier);
}

// The page is idle: Start shown, Stop and the bars hidden, the inspector usable, the
// main window's New and Open back.
// (Shown on the page, which itself may be behind the subtitle page's tab.)
bool Idle(const TFixture& Fixture)
{
    QWidget* Page = Fixture.Window->DocumentEditor();
    return !Fixture.Page().Running() && Fixture.Button("btStart")->isVisibleTo(Page)
           && !Fixture.Button("btStop")->isVisibleTo(Page) && !Fixture.Bar("pbDocuments")->isVisibleTo(Page)
           && Fixture.Page().pnObjectInspector()->isEnabled() && Command(*Fixture.Window, "acNewProject")->isEnabled()
           && Command(*Fixture.Window, "acOpenProject")->isEnabled();
}

// Runs the event loop until Reached holds, sleeping in it between events rather than
// polling: the run's hand-overs wake it, so the run goes at the pace it has for a user.
bool WaitUntil(const std::function<bool()>& Reached, int Timeout = RunTimeout)
{
    const QDeadlineTimer Deadline(Timeout);
    QTimer Tick; // wakes the loop now and then to look at the deadline
    Tick.start(10);
    while (!Reached()) {
        if (Deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

} // namespace

class TestDocumentEditor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &FDesktop, "openUrl");
        // Qt scales the preview's picture on its thread pool, whose locks are hidden
        // from ThreadSanitizer in a Qt not built with it; with one pool thread, the
        // pool's threads never meet each other.
        QThreadPool::globalInstance()->setMaxThreadCount(1);
    }
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    void init()
    {
        UseBuildAttributes();
        FDesktop.Urls.clear();
    }
    void cleanup() { TAttributedObservableObject::SetAttributeFileName(QString()); }

    void removeRows_data()
    {
        QTest::addColumn<QList<int>>("Removed");
        QTest::addColumn<QStringList>("Left");
        QTest::addColumn<int>("SelectedAfter");

        QTest::newRow("rows 1 and 3: nothing above")
            << QList<int>{1, 3} << QStringList{QStringLiteral("b.txt"), QStringLiteral("d.txt"), QStringLiteral("e.txt")}
            << 0;
        QTest::newRow("rows 3 and 4: row 2")
            << QList<int>{3, 4} << QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt"), QStringLiteral("e.txt")}
            << 2;
        QTest::newRow("the last row: the one above")
            << QList<int>{5} << QStringList{FiveNames.mid(0, 4)} << 4;
        QTest::newRow("all rows") << QList<int>{1, 2, 3, 4, 5} << QStringList{} << 0;
    }

    void removeRows()
    {
        QFETCH(QList<int>, Removed);
        QFETCH(QStringList, Left);
        QFETCH(int, SelectedAfter);
        TFixture Fixture;
        QVERIFY(Fixture.Show());
        SelectRows(Fixture.List(), Removed);
        QCOMPARE(SelectedRowNumbers(Fixture.List()).size(), Removed.size());

        Fixture.List()->setFocus();
        QTest::keyClick(Fixture.List(), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(RowCaptions(Fixture.List()), Left);
        QCOMPARE(SourceFileNames(Fixture.Project()), Left);
        QCOMPARE(SelectedRowNumbers(Fixture.List()), SelectedAfter ? QList<int>{SelectedAfter - 1} : QList<int>{});
        // The inspector shows what is selected, and nothing of the removed items.
        QCOMPARE(Fixture.InspectorCaption(), SelectedAfter ? Left.at(SelectedAfter - 1) : QString());
        QCOMPARE(Grid(Fixture.Page())->PropertyRowCount() > 0, SelectedAfter > 0);
        QCOMPARE(Fixture.Page().acRemoveDoc()->isEnabled(), SelectedAfter > 0);
        QCOMPARE(Fixture.Page().acSelectAll()->isEnabled(), !Left.isEmpty());
    }

    void dragRows_data()
    {
        QTest::addColumn<QList<int>>("Selected");
        QTest::addColumn<int>("Onto"); // row number, 0 for the empty space below the rows
        QTest::addColumn<QString>("Rows");

        QTest::newRow("first below the last") << QList<int>{1} << 0 << QStringLiteral("bcdea");
        QTest::newRow("last onto the first") << QList<int>{5} << 1 << QStringLiteral("eabcd");
        QTest::newRow("two apart onto the third") << QList<int>{1, 4} << 3 << QStringLiteral("badce");
        QTest::newRow("two apart below the last") << QList<int>{2, 4} << 0 << QStringLiteral("acebd");
        QTest::newRow("onto a dragged row") << QList<int>{2, 3} << 3 << QStringLiteral("abcde");
        QTest::newRow("onto a dragged row, others between") << QList<int>{1, 3} << 3 << QStringLiteral("bacde");
        QTest::newRow("all onto the last") << QList<int>{1, 2, 3, 4, 5} << 5 << QStringLiteral("abcde");
    }

    void dragRows()
    {
        QFETCH(QList<int>, Selected);
        QFETCH(int, Onto);
        QFETCH(QString, Rows);
        TFixture Fixture;
        QVERIFY(Fixture.Show());
        SelectRows(Fixture.List(), Selected);
        const QPoint Target = Onto ? RowRect(Fixture.List(), Onto - 1).center()
                                   : RowRect(Fixture.List(), 4).center() + QPoint(0, 60);
        // The offscreen platform ends every drag at once, before any drop; the page's
        // own drop of its rows is what a user's drag comes to.
        Fixture.Page().DropSelectedRows(Target);

        QStringList Expected;
        for (QChar Name : Rows)
            Expected << Name + QStringLiteral(".txt");
        QCOMPARE(RowCaptions(Fixture.List()), Expected);
        // The dragged rows stay selected, each with its own item.
        QCOMPARE(SelectedRowNumbers(Fixture.List()).size(), Selected.size());
        for (int Row = 0; Row < Fixture.List()->topLevelItemCount(); ++Row) {
            const auto* Item = static_cast<const TDocumentItem*>(TFoEditor::RowItem(Fixture.List()->topLevelItem(Row)));
            QCOMPARE(QFileInfo(Item->SourceFileName()).fileName(), Expected.at(Row));
        }

        // Only the rows moved: the project and the file it saves keep their order.
        QCOMPARE(SourceFileNames(Fixture.Project()), FiveNames);
        Command(*Fixture.Window, "acSaveProject")->trigger();
        Fixture.Window->OpenProjectFile(Fixture.ProjectFile);
        QCOMPARE(SourceFileNames(Fixture.Project()), FiveNames);
    }

    void dropFiles_data()
    {
        // Entries: "file:NAME" an existing file, "missing:NAME", "dir:NAME" a folder,
        // anything else a URL as it is.
        QTest::addColumn<QStringList>("Dropped");
        QTest::addColumn<QStringList>("Added");

        QTest::newRow("two files, in the order dropped")
            << QStringList{QStringLiteral("file:z.txt"), QStringLiteral("file:y.sub")}
            << QStringList{QStringLiteral("z.txt"), QStringLiteral("y.sub")};
        QTest::newRow("web address and file")
            << QStringList{QStringLiteral("https://example.com/w.txt"), QStringLiteral("file:x.txt")}
            << QStringList{QStringLiteral("x.txt")};
        QTest::newRow("only web addresses")
            << QStringList{QStringLiteral("https://example.com/w.txt"), QStringLiteral("ftp://example.com/v.txt")}
            << QStringList{};
        QTest::newRow("folder and missing file")
            << QStringList{QStringLiteral("dir:folder"), QStringLiteral("missing:gone.txt")} << QStringList{};
    }

    void dropFiles()
    {
        QFETCH(QStringList, Dropped);
        QFETCH(QStringList, Added);
        TFixture Fixture({QStringLiteral("a.txt")});
        QVERIFY(Fixture.Show());
        QList<QUrl> Urls;
        for (const QString& Entry : Dropped) {
            const QString Kind = Entry.section(QLatin1Char(':'), 0, 0);
            if (Kind != QLatin1String("file") && Kind != QLatin1String("dir") && Kind != QLatin1String("missing")) {
                Urls << QUrl(Entry);
                continue;
            }
            const QString Name = Entry.section(QLatin1Char(':'), 1);
            const QString Path = Fixture.Folder.filePath(Name);
            if (Kind == QLatin1String("file"))
                QVERIFY(!WriteDocument(Fixture.Folder.path(), Name, {Name}).isEmpty());
            else if (Kind == QLatin1String("dir"))
                QVERIFY(QDir().mkpath(Path));
            Urls << QUrl::fromLocalFile(Path);
        }
        QMimeData Data;
        Data.setUrls(Urls);
        QWidget* View = Fixture.List()->viewport();
        const QPoint Where = View->rect().center();
        QDragEnterEvent Enter(Where, Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, &Data, Qt::LeftButton, {});
        QApplication::sendEvent(View, &Enter);
        QCOMPARE(Enter.isAccepted(), !Added.isEmpty());
        if (Enter.isAccepted()) {
            QDropEvent Drop(Where, Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, &Data, Qt::LeftButton, {});
            QApplication::sendEvent(View, &Drop);
            QCOMPARE(Drop.dropAction(), Qt::CopyAction);
        }

        const QStringList Expected = QStringList{QStringLiteral("a.txt")} + Added;
        QTRY_COMPARE(RowCaptions(Fixture.List()), Expected);
        // Added as the add command adds them: default settings, in the project, saved.
        QCOMPARE(SourceFileNames(Fixture.Project()), Expected);
        for (std::size_t Index = 1; Index < Fixture.Project().DocumentItems().size(); ++Index) {
            const TDocumentItem& Item = *Fixture.Project().DocumentItems().at(Index);
            TDocumentItem Defaults;
            Defaults.LoadAttributes(true);
            Defaults.SetSourceFileName(Fixture.Folder.filePath(Added.at(int(Index) - 1)));
            QStringList Differences;
            Defaults.SetOnChanged([&](TObservableObject&, const QString& Name) { Differences << Name; });
            Item.AssignTo(&Defaults);
            QCOMPARE(Differences, QStringList{});
        }
        Fixture.Window->OpenProjectFile(Fixture.ProjectFile);
        QCOMPARE(SourceFileNames(Fixture.Project()), Expected);
    }

    void doubleClick_data()
    {
        QTest::addColumn<int>("Selected"); // row number, 0 for none
        QTest::addColumn<int>("Clicked");  // row number, 0 for the empty space below the rows
        QTest::addColumn<int>("Rows");
        QTest::addColumn<QString>("Opened"); // the document opened, empty when the add dialog comes

        QTest::newRow("selected row opens") << 2 << 2 << 5 << QStringLiteral("b.txt");
        QTest::newRow("other row is selected and opens") << 2 << 4 << 5 << QStringLiteral("d.txt");
        QTest::newRow("below the rows adds") << 2 << 0 << 5 << QString();
        QTest::newRow("empty list adds") << 0 << 0 << 0 << QString();
    }

    void doubleClick()
    {
        QFETCH(int, Selected);
        QFETCH(int, Clicked);
        QFETCH(int, Rows);
        QFETCH(QString, Opened);
        TFixture Fixture(FiveNames.mid(0, Rows));
        QVERIFY(Fixture.Show());
        if (Selected)
            SelectRows(Fixture.List(), {Selected});
        QStringList Dialogs;
        TModalAnswerer Answerer([&](QWidget* Modal) {
            Dialogs << Modal->objectName();
            TModalAnswerer::CloseDefault(Modal);
        });
        QWidget* View = Fixture.List()->viewport();
        const QPoint Where = Clicked ? RowRect(Fixture.List(), Clicked - 1).center() : QPoint(20, View->height() - 10);
        QTest::mousePress(View, Qt::LeftButton, {}, Where);
        QTest::mouseRelease(View, Qt::LeftButton, {}, Where);
        QTest::mouseDClick(View, Qt::LeftButton, {}, Where);
        QTest::mouseRelease(View, Qt::LeftButton, {}, Where);

        if (Opened.isEmpty()) {
            QCOMPARE(Dialogs, QStringList{QStringLiteral("odDocument")});
            QVERIFY(FDesktop.Urls.isEmpty());
        } else {
            QCOMPARE(FDesktop.Urls, QList<QUrl>{QUrl::fromLocalFile(Fixture.Folder.filePath(Opened))});
            QVERIFY(Dialogs.isEmpty());
        }
        QCOMPARE(RowCaptions(Fixture.List()), FiveNames.mid(0, Rows));
    }

    void duringARun_addingIsRefused()
    {
        TFixture Fixture({QStringLiteral("long.txt")});
        QVERIFY(!WriteDocument(Fixture.Folder.path(), QStringLiteral("long.txt"), LongDocument()).isEmpty());
        const QString Dropped = WriteDocument(Fixture.Folder.path(), QStringLiteral("新的.txt"), {QStringLiteral("x")});
        QVERIFY(Fixture.Show());
        QStringList Dialogs;
        TModalAnswerer Answerer([&](QWidget* Modal) {
            Dialogs << Modal->objectName();
            if (qobject_cast<QMessageBox*>(Modal) && Dialogs.size() == 1)
                Fixture.Button("btStop")->click();
            TModalAnswerer::CloseDefault(Modal);
        });
        // While the worker waits in a hand-over: a double-click below the rows with none
        // selected, and a file dropped onto the list.
        bool Tried = false;
        connect(Fixture.Bar("pbSubtitle"), &QProgressBar::valueChanged, Fixture.List(), [&](int Value) {
            if (Value != 2 || Tried)
                return;
            Tried = true;
            Fixture.List()->clearSelection();
            QWidget* View = Fixture.List()->viewport();
            const QPoint Below(20, View->height() - 10);
            QTest::mouseDClick(View, Qt::LeftButton, {}, Below);
            QMimeData Data;
            Data.setUrls({QUrl::fromLocalFile(Dropped)});
            QDragEnterEvent Enter(Below, Qt::CopyAction, &Data, Qt::LeftButton, {});
            QApplication::sendEvent(View, &Enter);
            QDropEvent Drop(Below, Qt::CopyAction, &Data, Qt::LeftButton, {});
            QApplication::sendEvent(View, &Drop);
        });
        QTest::mouseClick(Fixture.Button("btStart"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!Fixture.Page().Running(), RunTimeout);
        QVERIFY(Tried);
        // No add dialog; one box that names the file.
        QCOMPARE(Dialogs.size(), 1);
        QCOMPARE(Answerer.MessageTexts().size(), 1);
        QVERIFY2(Answerer.MessageTexts().first().contains(QStringLiteral("'新的.txt'")),
                 qPrintable(Answerer.MessageTexts().first()));
        QCOMPARE(RowCaptions(Fixture.List()), QStringList{QStringLiteral("long.txt")});
        QCOMPARE(SourceFileNames(Fixture.Project()), QStringList{QStringLiteral("long.txt")});
    }

    void enter_pressesStart_data()
    {
        QTest::addColumn<bool>("InTheList"); // else in the inspector's value editor
        QTest::newRow("in the list") << true;
        QTest::newRow("in a value editor") << false;
    }

    void enter_pressesStart()
    {
        QFETCH(bool, InTheList);
        TFixture Fixture({QStringLiteral("a.txt")});
        QVERIFY(Fixture.Show());
        TModalAnswerer Answerer;
        ClickRow(Fixture.List(), 0);
        if (InTheList) {
            QTest::keyClick(Fixture.List(), Qt::Key_Return);
            QVERIFY(Fixture.Page().Running());
            QTRY_VERIFY_WITH_TIMEOUT(!Fixture.Page().Running(), RunTimeout);
            QCOMPARE(Answerer.MessageTexts(), QStringList{QStringLiteral("操作成功.")});
            QCOMPARE(TitleFileCount(Fixture.TitlesOf(QStringLiteral("a.txt"))), 1);
        } else {
            // Enter there writes the value, and no more.
            QVERIFY(EditValue(Fixture.Page(), QStringLiteral("FontSize"), QStringLiteral("30")));
            QVERIFY(!Fixture.Page().Running());
            QCOMPARE(Fixture.Project().DocumentItems().front()->FontSize(), 30);
            QVERIFY(Answerer.MessageTexts().isEmpty());
        }
    }

    void save_keepsTheSelectedDocuments_data()
    {
        QTest::addColumn<QString>("Way");
        QTest::addColumn<QList<int>>("Selected");
        QTest::newRow("save, third row") << QStringLiteral("save") << QList<int>{3};
        QTest::newRow("save as, two rows") << QStringLiteral("save as") << QList<int>{2, 4};
        QTest::newRow("third row moved to the top, save") << QStringLiteral("moved") << QList<int>{3};
    }

    void save_keepsTheSelectedDocuments()
    {
        QFETCH(QString, Way);
        QFETCH(QList<int>, Selected);
        TFixture Fixture;
        QVERIFY(Fixture.Show());
        SelectRows(Fixture.List(), Selected);
        if (Way == QLatin1String("moved"))
            Fixture.Page().DropSelectedRows(RowRect(Fixture.List(), 0).center());
        const std::vector<const TDocumentItem*> Before = Fixture.Page().SelectedDocumentItems();
        QCOMPARE(int(Before.size()), Selected.size());
        const QString Caption = Fixture.InspectorCaption();

        TModalAnswerer Answerer([&](QWidget* Modal) {
            if (QFileDialog* Save = FileDialog(Modal, "sdProject")) {
                Save->setDirectory(Fixture.Folder.path());
                FileNameEdit(Save)->setText(QStringLiteral("Other.nvproj"));
                Accept(Save);
            } else {
                TModalAnswerer::CloseDefault(Modal);
            }
        });
        if (Way == QLatin1String("save as"))
            Command(*Fixture.Window, "acSaveProjectAs")->trigger();
        else
            QTest::keyClick(Fixture.Window.get(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(Answerer.MessageTexts().isEmpty());
        QCOMPARE(Fixture.Project().FileName().endsWith(QStringLiteral("Other.nvproj")), Way == QLatin1String("save as"));

        QCOMPARE(Fixture.Page().SelectedDocumentItems(), Before);
        QCOMPARE(Fixture.InspectorCaption(), Caption);
        QCOMPARE(Fixture.List()->currentItem(), Fixture.Page().SelectedRows().first());
    }

    void start_withoutRows_saysSoAndStaysIdle()
    {
        TFixture Fixture(QStringList{});
        QVERIFY(Fixture.Show());
        TModalAnswerer Answerer;
        QTest::mouseClick(Fixture.Button("btStart"), Qt::LeftButton);
        QCOMPARE(Answerer.MessageTexts(), QStringList{QStringLiteral("有没有源文件。")});
        QVERIFY(Idle(Fixture));
        QCOMPARE(Fixture.Window->PageControl()->currentWidget(), Fixture.Window->tsSourceDocuments());
    }

    void stop_data()
    {
        QTest::addColumn<QString>("Way");
        const QStringList Ways{QStringLiteral("button"), QStringLiteral("handler while loading"),
                               QStringLiteral("handler while writing"), QStringLiteral("message box in a hand-over"),
                               QStringLiteral("window destroyed while loading"),
                               QStringLiteral("window destroyed while writing")};
        // Each way many times over: a wait that can deadlock does so only now and then.
        for (int Round = 1; Round <= 8; ++Round)
            for (const QString& Way : Ways)
                QTest::addRow("%s #%d", qPrintable(Way), Round) << Way;
    }

    void stop()
    {
        QFETCH(QString, Way);
        TFixture Fixture({QStringLiteral("long.txt")});
        QVERIFY(!WriteDocument(Fixture.Folder.path(), QStringLiteral("long.txt"), LongDocument()).isEmpty());
        QVERIFY(Fixture.Show());
        const QString Titles = Fixture.TitlesOf(QStringLiteral("long.txt"));
        TDocumentItem& Item = *Fixture.Project().DocumentItems().front();
        QPushButton* Stop = Fixture.Button("btStop");
        const QString Notice = QStringLiteral("a notice while the worker waits");
        TModalAnswerer Answerer([&](QWidget* Modal) {
            if (auto* Box = qobject_cast<QMessageBox*>(Modal); Box && Box->text() == Notice)
                Stop->click();
            TModalAnswerer::CloseDefault(Modal);
        });
        const int StopAt = 3;
        if (Way == QLatin1String("handler while loading")) {
            connect(Fixture.Bar("pbDocument"), &QProgressBar::valueChanged, Stop, [&](int Value) {
                if (Value == LongDocumentLines / 2)
                    Stop->click();
            });
        } else if (Way == QLatin1String("handler while writing")) {
            connect(Fixture.Bar("pbSubtitle"), &QProgressBar::valueChanged, Stop, [&](int Value) {
                if (Value == StopAt)
                    Stop->click();
            });
        } else if (Way == QLatin1String("message box in a hand-over")) {
            connect(Fixture.Bar("pbSubtitle"), &QProgressBar::valueChanged, Stop, [&](int Value) {
                if (Value == StopAt)
                    QMessageBox(QMessageBox::Information, QString(), Notice).exec();
            });
        }

        QTest::mouseClick(Fixture.Button("btStart"), Qt::LeftButton);
        QVERIFY(Fixture.Page().Running());
        QVERIFY(Stop->isVisible());
        if (Way == QLatin1String("button")) {
            QTRY_VERIFY_WITH_TIMEOUT(Fixture.Bar("pbSubtitle")->value() >= StopAt, RunTimeout);
            QTest::mouseClick(Stop, Qt::LeftButton);
        } else if (Way == QLatin1String("window destroyed while loading")) {
            QTRY_VERIFY_WITH_TIMEOUT(Fixture.Bar("pbDocument")->value() >= 1, RunTimeout);
            Fixture.Window.reset();
        } else if (Way == QLatin1String("window destroyed while writing")) {
            QTRY_VERIFY_WITH_TIMEOUT(Fixture.Bar("pbSubtitle")->value() >= StopAt, RunTimeout);
            Fixture.Window.reset();
        }

        if (Fixture.Window) {
            QTRY_VERIFY_WITH_TIMEOUT(!Fixture.Page().Running(), RunTimeout);
            QVERIFY(Idle(Fixture));
            QVERIFY(!Answerer.MessageTexts().contains(QStringLiteral("操作成功.")));
        }
        // The worker has ended: every record names a title that was written, and the run
        // ended long before the document's end.
        const int Records = int(Item.ImmutableSubtitleItems().size());
        QCOMPARE(TitleFileCount(Titles), Records);
        QVERIFY(Records < LongDocumentLines);
        if (Way == QLatin1String("handler while loading"))
            QCOMPARE(Records, 0);
        else if (Way != QLatin1String("window destroyed while loading"))
            QVERIFY(Records >= StopAt);
    }

    void stopThenStartAtOnce_theNewRunGoesOn()
    {
        TFixture Fixture({QStringLiteral("long.txt")});
        QVERIFY(!WriteDocument(Fixture.Folder.path(), QStringLiteral("long.txt"), LongDocument()).isEmpty());
        QVERIFY(Fixture.Show());
        TModalAnswerer Answerer;
        QTest::mouseClick(Fixture.Button("btStart"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(Fixture.Bar("pbSubtitle")->value() >= 3, RunTimeout);
        QTest::mouseClick(Fixture.Button("btStop"), Qt::LeftButton);
        QVERIFY(Idle(Fixture));
        Fixture.Window->ShowSourceDocuments();
        QTest::mouseClick(Fixture.Button("btStart"), Qt::LeftButton);
        QVERIFY(Fixture.Page().Running());

        // The first run's end notice, queued when its worker ended, ends nothing now.
        QCoreApplication::sendPostedEvents();
        QVERIFY(Fixture.Page().Running());
        QVERIFY(!Fixture.Page().pnObjectInspector()->isEnabled());
        QVERIFY(!Command(*Fixture.Window, "acNewProject")->isEnabled());
        QTest::mouseClick(Fixture.Button("btStop"), Qt::LeftButton);
        QVERIFY(Idle(Fixture));
    }

    void stopAfterTheWorkerEnded_reportsTheEndOnce()
    {
        TFixture Fixture({QStringLiteral("a.txt")});
        QVERIFY(Fixture.Show());
        // Nothing to read: the worker ends at once, without waiting for this thread.
        Fixture.Project().DocumentItems().front()->SetSourceLineIncrement(0);
        TModalAnswerer Answerer;
        QTest::mouseClick(Fixture.Button("btStart"), Qt::LeftButton);
        QThread::msleep(200);
        // The end notice is queued by now; Stop finds the run complete.
        QTest::mouseClick(Fixture.Button("btStop"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(Idle(Fixture), RunTimeout);
        QCoreApplication::sendPostedEvents();
        QVERIFY(Answerer.MessageTexts().count(QStringLiteral("操作成功.")) <= 1);
        QVERIFY(Idle(Fixture));
    }

    // Start and Stop pressed as a user would, at random moments of runs over three
    // documents: before the first title, while a document loads, in the middle of one,
    // between two, and just as the run ends (when the page handles its end and saves).
    // Every run must end idle, with a project file that loads and names only titles
    // that exist. A wait that can deadlock does so only now and then: hence 200 runs.
    void startAndStopAtRandomMoments()
    {
        const quint32 Seed = qEnvironmentVariableIsSet("NUVEX_STRESS_SEED")
                                 ? quint32(qEnvironmentVariableIntValue("NUVEX_STRESS_SEED"))
                                 : QRandomGenerator::global()->generate();
        qInfo("NUVEX_STRESS_SEED=%u", Seed);
        QRandomGenerator Random(Seed);
        constexpr int Lines = 24;
        const QStringList Names{QStringLiteral("a.txt"), QStringLiteral("b.txt"), QStringLiteral("c.txt")};
        TFixture Fixture(Names);
        for (const QString& Name : Names) {
            QStringList Text;
            for (int Line = 1; Line <= Lines; ++Line)
                Text << QStringLiteral("%1 line %2").arg(Name).arg(Line);
            QVERIFY(!WriteDocument(Fixture.Folder.path(), Name, Text).isEmpty());
        }
        QVERIFY(Fixture.Show());
        // A small frame: the page draws its preview at the frame's size after every run,
        // and the runs are what is tested here.
        for (const auto& Item : Fixture.Project().DocumentItems()) {
            Item->SetVideoWidth(640);
            Item->SetVideoHeight(360);
            Item->SetBoxWidth(600);
        }
        TModalAnswerer Answerer;
        QPushButton* Start = Fixture.Button("btStart");
        QPushButton* Stop = Fixture.Button("btStop");
        const auto RunningOrEnded = [&](const std::function<bool()>& Reached) {
            return WaitUntil([&] { return !Fixture.Page().Running() || Reached(); });
        };

        for (int Round = 1; Round <= 200; ++Round) {
            const QByteArray Where = QStringLiteral("round %1, seed %2").arg(Round).arg(Seed).toUtf8();
            const int Moment = int(Random.bounded(5));
            const int Line = 1 + int(Random.bounded(Lines));
            Fixture.Window->ShowSourceDocuments();
            QTest::mouseClick(Start, Qt::LeftButton);
            QVERIFY2(Fixture.Page().Running(), Where.constData());
            bool Reached = true;
            switch (Moment) {
            case 0: // before the first title
                break;
            case 1: // while a document loads
                Reached = RunningOrEnded([&] { return Fixture.Bar("pbDocument")->value() >= Line; });
                break;
            case 2: // in the middle of a document
                Reached = RunningOrEnded([&] { return Fixture.Bar("pbSubtitle")->value() >= Line; });
                break;
            case 3: // between two documents
                Reached = RunningOrEnded([&] { return Fixture.Bar("pbDocuments")->value() >= 1; });
                break;
            default: // as the run ends
                Reached = RunningOrEnded([&] {
                    return Fixture.Bar("pbDocuments")->value() == int(Names.size());
                });
                break;
            }
            QVERIFY2(Reached, Where.constData());
            if (Stop->isVisible())
                QTest::mouseClick(Stop, Qt::LeftButton);
            QVERIFY2(WaitUntil([&] { return Idle(Fixture) && !QApplication::activeModalWidget(); }), Where.constData());

            // The file the page saved at the end loads, and holds what the page holds.
            QFile File(Fixture.ProjectFile);
            QVERIFY2(File.open(QIODevice::ReadOnly), Where.constData());
            std::unique_ptr<TPersistent> Read
                = TXmlSerializer().Deserialize(TProject::StaticClass(), QString::fromUtf8(File.readAll()), false);
            const auto& Saved = static_cast<const TProject&>(*Read).DocumentItems();
            const TDocumentItems& Held = Fixture.Project().DocumentItems();
            QCOMPARE(Saved.size(), Held.size());
            for (std::size_t Index = 0; Index < Saved.size(); ++Index) {
                QVERIFY2(Saved[Index]->ImmutableSubtitleItems().size() == Held[Index]->ImmutableSubtitleItems().size(),
                         Where.constData());
                for (const auto& Record : Saved[Index]->ImmutableSubtitleItems())
                    QVERIFY2(QFile::exists(Record->SubtitleDirectory() + Record->SubtitleFileName()), Where.constData());
            }
        }
    }

    void run_documentThatCannotBeRead_data()
    {
        QTest::addColumn<bool>("StopInTheErrorBox");
        QTest::newRow("error box closed") << false;
        QTest::newRow("Stop pressed while the error box is open") << true;
    }

    void run_documentThatCannotBeRead()
    {
        QFETCH(bool, StopInTheErrorBox);
        TFixture Fixture({QStringLiteral("a.txt"), QStringLiteral("gone.txt"), QStringLiteral("c.txt")});
        QVERIFY(QFile::remove(Fixture.Documents.at(1)));
        QVERIFY(Fixture.Show());
        TModalAnswerer Answerer([&](QWidget* Modal) {
            auto* Box = qobject_cast<QMessageBox*>(Modal);
            // The worker waits while its error is shown.
            if (StopInTheErrorBox && Box && Box->text().contains(QStringLiteral("gone.txt")))
                QTest::mouseClick(Fixture.Button("btStop"), Qt::LeftButton);
            TModalAnswerer::CloseDefault(Modal);
        });
        QTest::mouseClick(Fixture.Button("btStart"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!Fixture.Page().Running(), RunTimeout);
        QVERIFY(Idle(Fixture));
        QCOMPARE(Answerer.MessageTexts().size(), 1);
        QVERIFY2(Answerer.MessageTexts().first().contains(QStringLiteral("gone.txt")),
                 qPrintable(Answerer.MessageTexts().first()));
        // The documents before it keep their titles; the run wrote none after it.
        const TDocumentItems& Items = Fixture.Project().DocumentItems();
        QCOMPARE(Items.at(0)->ImmutableSubtitleItems().size(), std::size_t(1));
        QCOMPARE(TitleFileCount(Fixture.TitlesOf(QStringLiteral("a.txt"))), 1);
        QVERIFY(Items.at(2)->ImmutableSubtitleItems().empty());
        QCOMPARE(TitleFileCount(Fixture.TitlesOf(QStringLiteral("c.txt"))), 0);
    }

    void rowsAfterRun_data()
    {
        QTest::addColumn<bool>("Named");
        QTest::addColumn<bool>("SubtitleTabDuringRun");
        QTest::newRow("named project") << true << false;
        QTest::newRow("unnamed project, not saved") << false << false;
        QTest::newRow("subtitle tab shown during the run") << true << true;
    }

    void rowsAfterRun()
    {
        QFETCH(bool, Named);
        QFETCH(bool, SubtitleTabDuringRun);
        const QStringList Names{QStringLiteral("a.txt"), QStringLiteral("b.txt"), QStringLiteral("c.txt")};
        TFixture Fixture(Names);
        for (const QString& Name : Names)
            WriteDocument(Fixture.Folder.path(), Name, {Name + QStringLiteral(" 1"), Name + QStringLiteral(" 2")});
        QVERIFY(Fixture.Show());
        if (!Named)
            Fixture.Project().SetFileName(QString());
        for (int Index = 0; Index < 3; ++Index)
            Fixture.Project().DocumentItems().at(std::size_t(Index))->SetFontSize(20 + 10 * Index);
        // Rows in another order than the items: c, b, a.
        Fixture.List()->SetSortColumn(0);
        Fixture.List()->SetSortDescending(true);
        Fixture.List()->Sort();
        QCOMPARE(RowCaptions(Fixture.List()), (QStringList{Names.at(2), Names.at(1), Names.at(0)}));
        ClickRow(Fixture.List(), 0);

        // While the worker waits in a hand-over, the user picks another row.
        const TDocumentItem* Picked = nullptr;
        connect(Fixture.Bar("pbSubtitle"), &QProgressBar::valueChanged, Fixture.List(), [&](int Value) {
            if (Value != 1 || Picked)
                return;
            Picked = static_cast<const TDocumentItem*>(TFoEditor::RowItem(Fixture.List()->topLevelItem(1)));
            ClickRow(Fixture.List(), 1);
            if (SubtitleTabDuringRun)
                Fixture.Window->ShowSubtitleFiles();
        });
        TModalAnswerer Answerer;
        QTest::mouseClick(Fixture.Button("btStart"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!Fixture.Page().Running(), RunTimeout);
        QVERIFY(Picked);
        QCOMPARE(Answerer.MessageTexts(), QStringList{QStringLiteral("操作成功.")});

        // Every row shows its own item; the inspector and the subtitle page show the
        // selected one.
        for (int Row = 0; Row < 3; ++Row) {
            QTreeWidgetItem* Shown = Fixture.List()->topLevelItem(Row);
            const auto* Item = static_cast<const TDocumentItem*>(TFoEditor::RowItem(Shown));
            QCOMPARE(Shown->text(0), QFileInfo(Item->SourceFileName()).fileName());
            QCOMPARE(Shown->text(1), Item->ToString());
            QCOMPARE(Item->ImmutableSubtitleItems().size(), std::size_t(2));
        }
        const TDocumentItem* Selected = Fixture.Page().SelectedDocumentItem();
        QCOMPARE(Selected, Picked);
        QCOMPARE(Fixture.InspectorCaption(), QFileInfo(Selected->SourceFileName()).fileName());
        QCOMPARE(Fixture.Window->PageControl()->currentWidget(), Fixture.Window->tsSubtitleFiles());
        QCOMPARE(Fixture.Window->SubtitleEditor()->lvObjects()->topLevelItemCount(), 2);
        QVERIFY(Fixture.Window->SubtitleEditor()->lvObjects()->topLevelItem(0)->text(1).startsWith(
            QFileInfo(Selected->SourceFileName()).fileName()));
    }

private:
    TUrlRecorder FDesktop;
};

QTEST_MAIN(TestDocumentEditor)
#include "tst_documenteditor.moc"
#include "moc_UrlRecorder.cpp"
