#include "MainWindowHarness.h"
#include "UrlRecorder.h"

#include "ui/Preview.h"
#include "ui/PreviewImage.h"
#include "ui/SubtitleEditor.h"

#include "components/PageControlEx.h"
#include "model/ProductInfo.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QUrl>

using namespace Harness;

namespace {

QString Title()
{
    return TProductInfo::Title();
}

QString Caption(const QString& ProjectName)
{
    return ProjectName.isEmpty() ? Title() : Title() + QStringLiteral(" - ") + ProjectName;
}

// A project of one document, Clip.txt, saved as Folder/Name.
QString WriteClipProject(const QTemporaryDir& Folder, const QString& Name)
{
    const QString Clip = WriteDocument(Folder.path(), QStringLiteral("Clip.txt"), {QStringLiteral("Clip line")});
    const QString Path = WriteProject(Folder.path(), Name, {Clip});
    ProjectManager().NewProject(QString());
    return Path;
}

QString WriteText(const QTemporaryDir& Folder, const QString& Name, const QByteArray& Content)
{
    QFile File(Folder.filePath(Name));
    if (!File.open(QIODevice::WriteOnly))
        return {};
    File.write(Content);
    return File.fileName();
}

} // namespace

class TestMain : public QObject
{
    Q_OBJECT

private slots:
    void init() { UseBuildAttributes(); }
    void cleanup() { TAttributedObservableObject::SetAttributeFileName(QString()); }

    void size_isNinetyPercentOfTheScreen()
    {
        TFoMain Window;
        const QRect Screen = Window.screen()->geometry();
        const QSize Expected(int(Screen.width() * 0.9), int(Screen.height() * 0.9));
        QCOMPARE(Window.size(), Expected);
        QVERIFY(ShowPastStartDialog(Window));
        QCOMPARE(Window.size(), Expected);
        // Centred, up to the frame the platform puts around it.
        const QSize Frame = Window.frameGeometry().size() - Window.size();
        QVERIFY(qAbs(Window.frameGeometry().center().x() - Screen.center().x()) <= Frame.width());
        QVERIFY(qAbs(Window.frameGeometry().center().y() - Screen.center().y()) <= Frame.height());
    }

    void startDialog_data()
    {
        QTest::addColumn<QString>("Choice"); // the button clicked, empty for the close box
        QTest::addColumn<bool>("ChooseFile");
        QTest::addColumn<QStringList>("Dialogs");
        QTest::addColumn<QString>("ProjectName");
        QTest::addColumn<QStringList>("Rows");

        QTest::newRow("close box") << QString() << false << QStringList{} << QString() << QStringList{};
        QTest::newRow("new project, add cancelled")
            << QStringLiteral("btNewProject") << false << QStringList{QStringLiteral("odDocument")} << QString()
            << QStringList{};
        QTest::newRow("open project") << QStringLiteral("btOpenProject") << true
                                      << QStringList{QStringLiteral("odProject")} << QStringLiteral("Demo")
                                      << QStringList{QStringLiteral("Clip.txt")};
        QTest::newRow("open project, cancelled") << QStringLiteral("btOpenProject") << false
                                                 << QStringList{QStringLiteral("odProject")} << QString()
                                                 << QStringList{};
    }

    void startDialog()
    {
        QFETCH(QString, Choice);
        QFETCH(bool, ChooseFile);
        QFETCH(QStringList, Dialogs);
        QFETCH(QString, ProjectName);
        QFETCH(QStringList, Rows);
        QTemporaryDir Folder;
        const QString ProjectFile = WriteClipProject(Folder, QStringLiteral("Demo.nvproj"));
        TFoMain Window;
        QStringList Seen;
        bool Started = false;
        TModalAnswerer Answerer([&](QWidget* Modal) {
            if (auto* Start = qobject_cast<TFoOperation*>(Modal)) {
                Started = true;
                QVERIFY(Window.isVisible());
                QCOMPARE(Start->parentWidget(), &Window);
                QCOMPARE(Start->windowTitle(), QStringLiteral("项目操作"));
                QCOMPARE(Start->size(), QSize(334, 229));
                QCOMPARE(Start->btNewProject()->text(), QStringLiteral("新建项目"));
                QCOMPARE(Start->btOpenProject()->text(), QStringLiteral("打开项目"));
                SaveScreenshot(*Start, QStringLiteral("start-dialog"));
                if (Choice.isEmpty())
                    Start->reject();
                else
                    Start->findChild<QToolButton*>(Choice)->click();
                return;
            }
            Seen << Modal->objectName();
            if (ChooseFile)
                ChooseFiles(qobject_cast<QFileDialog*>(Modal), {ProjectFile});
            else
                TModalAnswerer::CloseDefault(Modal);
        });
        Window.show();
        QTRY_VERIFY(Started);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(Seen, Dialogs);
        QCOMPARE(Window.windowTitle(), Caption(ProjectName));
        QVERIFY(ProjectManager().ActiveProject());
        QCOMPARE(ProjectManager().ActiveProject()->FileName().isEmpty(), ProjectName.isEmpty());
        QCOMPARE(RowCaptions(Window.DocumentEditor()->lvObjects()), Rows);
    }

    void startupProject_data()
    {
        QTest::addColumn<QByteArray>("Content"); // empty: a readable project
        QTest::addColumn<bool>("Exists");

        QTest::newRow("readable project") << QByteArray() << true;
        QTest::newRow("not a project") << QByteArray("this is no XML") << true;
        QTest::newRow("missing file") << QByteArray() << false;
    }

    void startupProject()
    {
        QFETCH(QByteArray, Content);
        QFETCH(bool, Exists);
        QTemporaryDir Folder;
        QString ProjectFile = Content.isEmpty() ? WriteClipProject(Folder, QStringLiteral("Demo.nvproj"))
                                                : WriteText(Folder, QStringLiteral("Demo.nvproj"), Content);
        if (!Exists)
            ProjectFile = Folder.filePath(QStringLiteral("Gone.nvproj"));
        const bool Readable = Exists && Content.isEmpty();
        TFoMain Window;
        Window.SetStartupProject(ProjectFile);
        bool Started = false;
        TModalAnswerer Answerer([&](QWidget* Modal) {
            Started = Started || qobject_cast<TFoOperation*>(Modal);
            TModalAnswerer::CloseDefault(Modal);
        });
        Window.show();
        if (Readable) {
            QTRY_COMPARE(Window.windowTitle(), Caption(QStringLiteral("Demo")));
            QCOMPARE(RowCaptions(Window.DocumentEditor()->lvObjects()), QStringList{QStringLiteral("Clip.txt")});
            QVERIFY(Answerer.MessageTexts().isEmpty());
        } else {
            // Its error box, naming the file, and the empty project.
            QTRY_COMPARE(Answerer.MessageTexts().size(), 1);
            QVERIFY2(Answerer.MessageTexts().first().contains(ProjectFile), qPrintable(Answerer.MessageTexts().first()));
            QCOMPARE(Window.windowTitle(), Title());
            QVERIFY(ProjectManager().GetActiveProject().DocumentItems().empty());
        }
        QVERIFY(!Started);
    }

    void failingOpen_keepsThePreviousProject_data()
    {
        QTest::addColumn<QByteArray>("Content");
        QTest::newRow("not XML") << QByteArray("this is no XML");
        QTest::newRow("XML of something else") << QByteArray("<?xml version=\"1.0\"?><Unknown/>");
        QTest::newRow("empty") << QByteArray("");
    }

    void failingOpen_keepsThePreviousProject()
    {
        QFETCH(QByteArray, Content);
        QTemporaryDir Folder;
        const QString ProjectFile = WriteClipProject(Folder, QStringLiteral("Demo.nvproj"));
        const QString Broken = WriteText(Folder, QStringLiteral("Broken.nvproj"), Content);
        TFoMain Window;
        QVERIFY(ShowWithProject(Window, ProjectFile));
        const TProject* Previous = ProjectManager().ActiveProject();

        TModalAnswerer Answerer([&](QWidget* Modal) {
            if (QFileDialog* Open = FileDialog(Modal, "odProject"))
                ChooseFiles(Open, {Broken});
            else
                TModalAnswerer::CloseDefault(Modal);
        });
        QTest::keyClick(&Window, Qt::Key_O, Qt::ControlModifier);
        QTRY_COMPARE(Answerer.MessageTexts().size(), 1);
        QVERIFY2(Answerer.MessageTexts().first().contains(Broken), qPrintable(Answerer.MessageTexts().first()));
        QCOMPARE(ProjectManager().ActiveProject(), Previous);
        QCOMPARE(Window.windowTitle(), Caption(QStringLiteral("Demo")));
        QCOMPARE(RowCaptions(Window.DocumentEditor()->lvObjects()), QStringList{QStringLiteral("Clip.txt")});
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void saveAs_captionNamesTheProject_data()
    {
        QTest::addColumn<QString>("Typed"); // empty: cancelled
        QTest::addColumn<QString>("Saved");
        QTest::addColumn<QString>("ProjectName");

        QTest::newRow("Demo.nvproj") << QStringLiteral("Demo.nvproj") << QStringLiteral("Demo.nvproj")
                                     << QStringLiteral("Demo");
        QTest::newRow("without extension") << QStringLiteral("Demo") << QStringLiteral("Demo.nvproj")
                                           << QStringLiteral("Demo");
        QTest::newRow("dots in the name") << QStringLiteral("my.film.nvproj") << QStringLiteral("my.film.nvproj")
                                          << QStringLiteral("my.film");
        QTest::newRow("cancelled") << QString() << QString() << QString();
    }

    void saveAs_captionNamesTheProject()
    {
        QFETCH(QString, Typed);
        QFETCH(QString, Saved);
        QFETCH(QString, ProjectName);
        QTemporaryDir Folder;
        TFoMain Window;
        QVERIFY(ShowPastStartDialog(Window));
        QCOMPARE(Window.windowTitle(), Title());
        TModalAnswerer Answerer([&](QWidget* Modal) {
            QFileDialog* Save = FileDialog(Modal, "sdProject");
            if (Save && !Typed.isEmpty()) {
                Save->setDirectory(Folder.path());
                FileNameEdit(Save)->setText(Typed);
                Accept(Save);
            } else {
                TModalAnswerer::CloseDefault(Modal);
            }
        });
        // Save of an unnamed project asks for the name.
        QTest::keyClick(&Window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(Answerer.Answered(), 1);
        QVERIFY(Answerer.MessageTexts().isEmpty());
        QCOMPARE(Window.windowTitle(), Caption(ProjectName));
        QCOMPARE(QDir(Folder.path()).entryList(QDir::Files), Saved.isEmpty() ? QStringList{} : QStringList{Saved});
        QVERIFY(!Window.findChild<QLabel*>(QStringLiteral("lbSave"))->isVisibleTo(&Window));
    }

    void helpCommands_data()
    {
        QTest::addColumn<QString>("Command");
        QTest::addColumn<QString>("Url"); // empty: the about box
        QTest::newRow("support") << QStringLiteral("acSupport") << TProductInfo::SupportUrl();
        QTest::newRow("feedback") << QStringLiteral("acEmailSupport")
                                  << QStringLiteral("mailto:") + TProductInfo::FeedbackAddress()
                                         + QStringLiteral("?Subject=") + Title()
                                         + QStringLiteral("&Body=Your feedback");
        QTest::newRow("about") << QStringLiteral("acAbout") << QString();
    }

    void helpCommands()
    {
        QFETCH(QString, Command);
        QFETCH(QString, Url);
        TUrlRecorder Desktop;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &Desktop, "openUrl");
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &Desktop, "openUrl");
        TFoMain Window;
        QVERIFY(ShowPastStartDialog(Window));
        QString BoxTitle;
        QMessageBox::Icon BoxIcon = QMessageBox::NoIcon;
        TModalAnswerer Answerer([&](QWidget* Modal) {
            if (auto* Box = qobject_cast<QMessageBox*>(Modal)) {
                BoxTitle = Box->windowTitle();
                BoxIcon = Box->icon();
            }
            TModalAnswerer::CloseDefault(Modal);
        });
        Harness::Command(Window, qPrintable(Command))->trigger();
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        if (Url.isEmpty()) {
            QCOMPARE(Answerer.MessageTexts(), QStringList{TProductInfo::LegalNotice()});
            QCOMPARE(BoxTitle, Title());
            QCOMPARE(BoxIcon, QMessageBox::Information);
            QVERIFY(Desktop.Urls.isEmpty());
        } else {
            QCOMPARE(Desktop.Urls, QList<QUrl>{QUrl(Url)});
            QCOMPARE(QUrl::fromPercentEncoding(Desktop.Urls.first().toEncoded()), Url);
            QVERIFY(Answerer.MessageTexts().isEmpty());
        }
    }

    void commandStates_duringAndAfterARun()
    {
        QTemporaryDir Folder;
        QStringList Lines;
        for (int Line = 1; Line <= 5; ++Line)
            Lines << QStringLiteral("Line %1").arg(Line);
        const QString Document = WriteDocument(Folder.path(), QStringLiteral("Clip.txt"), Lines);
        const QString ProjectFile = WriteProject(Folder.path(), QStringLiteral("Demo.nvproj"), {Document}, Folder.path());
        TFoMain Window;
        QVERIFY(ShowWithProject(Window, ProjectFile));
        TFoDocumentEditor& Page = *Window.DocumentEditor();
        const QStringList Withheld{QStringLiteral("acNewProject"), QStringLiteral("acOpenProject"),
                                   QStringLiteral("acSaveProject"), QStringLiteral("acSaveProjectAs")};
        const auto EnabledCommands = [&] {
            QStringList Enabled;
            for (QAction* Action : Window.actions() + Page.actions())
                if (Action->isEnabled())
                    Enabled << Action->objectName();
            Enabled.sort();
            return Enabled;
        };
        QStringList Idle = EnabledCommands();
        for (const QString& Name : Withheld)
            QVERIFY2(Idle.contains(Name), qPrintable(Name));

        // Looked at from inside the run, while the worker waits for the page.
        QStringList DuringRun;
        bool StartShown = true;
        bool StopShown = false;
        auto* Bar = Page.findChild<QProgressBar*>(QStringLiteral("pbSubtitle"));
        connect(Bar, &QProgressBar::valueChanged, &Window, [&](int Value) {
            if (Value != 2)
                return;
            DuringRun = EnabledCommands();
            StartShown = Page.findChild<QPushButton*>(QStringLiteral("btStart"))->isVisible();
            StopShown = Page.findChild<QPushButton*>(QStringLiteral("btStop"))->isVisible();
        });
        TModalAnswerer Answerer;
        QTest::mouseClick(Page.findChild<QPushButton*>(QStringLiteral("btStart")), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!Page.Running(), RunTimeout);
        QCOMPARE(Answerer.MessageTexts(), QStringList{QStringLiteral("操作成功.")});
        QVERIFY(!DuringRun.isEmpty());
        QVERIFY(!StartShown);
        QVERIFY(StopShown);
        for (const QString& Name : Withheld)
            QVERIFY2(!DuringRun.contains(Name), qPrintable(Name));
        QVERIFY(DuringRun.contains(QStringLiteral("acExit")));
        QVERIFY(DuringRun.contains(QStringLiteral("acAbout")));
        QCOMPARE(EnabledCommands(), Idle);
    }

    void newProject_twoDocuments_editedTogether_run_reopened()
    {
        QTemporaryDir Folder;
        const QString Alpha = WriteDocument(Folder.path(), QStringLiteral("Alpha.txt"),
                                            {QStringLiteral("第一行"), QString(), QStringLiteral("Second line")});
        const QString Beta = WriteDocument(Folder.path(), QStringLiteral("Beta.txt"), {QStringLiteral("Only line")});
        // Each document's titles go to a folder named after it.
        const QString Titles = Folder.filePath(QStringLiteral("Titles"));
        QVERIFY(QDir().mkpath(Titles));
        const QString TitleFolders = Titles + QStringLiteral("/{SourceFileName}");

        auto Window = std::make_unique<TFoMain>();
        TFoDocumentEditor& Page = *Window->DocumentEditor();
        QString Suggested;
        bool WindowVisibleAtStart = false;
        auto Answerer = std::make_unique<TModalAnswerer>([&](QWidget* Modal) {
            if (auto* Start = qobject_cast<TFoOperation*>(Modal)) {
                WindowVisibleAtStart = Window->isVisible();
                Start->btNewProject()->click();
            } else if (QFileDialog* Documents = FileDialog(Modal, "odDocument")) {
                ChooseFiles(Documents, {Alpha, Beta});
            } else if (QFileDialog* Save = FileDialog(Modal, "sdProject")) {
                Suggested = FileNameEdit(Save)->text();
                Save->setDirectory(Folder.path());
                Accept(Save);
            } else {
                TModalAnswerer::CloseDefault(Modal);
            }
        });
        Window->show();
        QVERIFY(QTest::qWaitForWindowExposed(Window.get()));
        QTRY_COMPARE(Window->windowTitle(), Title() + QStringLiteral(" - Alpha"));
        QVERIFY(WindowVisibleAtStart);
        QCOMPARE(Suggested, QStringLiteral("Alpha"));
        const QString ProjectFile = Folder.filePath(QStringLiteral("Alpha.nvproj"));
        QVERIFY(QFileInfo::exists(ProjectFile));
        QCOMPARE(RowCaptions(Page.lvObjects()), (QStringList{QStringLiteral("Alpha.txt"), QStringLiteral("Beta.txt")}));
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QVERIFY(Activate(*Window));

        // Alpha alone, made smaller; then both: the preview keeps Alpha's picture.
        ClickRow(Page.lvObjects(), 0);
        QVERIFY(EditValue(Page, QStringLiteral("FontSize"), QStringLiteral("20")));
        QVERIFY(EditValue(Page, QStringLiteral("SubtitleDirectory"), TitleFolders));
        const TProject& Project = ProjectManager().GetActiveProject();
        TDocumentItem& AlphaItem = *Project.DocumentItems().at(0);
        TDocumentItem& BetaItem = *Project.DocumentItems().at(1);
        QCOMPARE(AlphaItem.FontSize(), 20);
        const QImage AlphaPreview = Page.frPreview()->imPreview()->grab().toImage();
        ClickRow(Page.lvObjects(), 1, Qt::ControlModifier);
        QCOMPARE(SelectedRowNumbers(Page.lvObjects()), (QList<int>{0, 1}));
        QCOMPARE(Page.frObjectInspector()->findChild<QLabel*>(QStringLiteral("lbInfo"))->text(),
                 QStringLiteral("2 darab objektum"));
        QCOMPARE(Page.frPreview()->imPreview()->grab().toImage(), AlphaPreview);
        SaveScreenshot(*Window, QStringLiteral("documents-page"));

        QVERIFY(EditValue(Page, QStringLiteral("FontSize"), QStringLiteral("36")));
        QVERIFY(EditValue(Page, QStringLiteral("SubtitleDirectory"), TitleFolders));
        QCOMPARE(AlphaItem.FontSize(), 36);
        QCOMPARE(BetaItem.FontSize(), 36);
        QCOMPARE(BetaItem.SubtitleDirectory(), TitleFolders);
        QVERIFY(Page.lvObjects()->topLevelItem(1)->text(1).endsWith(QStringLiteral("fs: 36")));
        QCOMPARE(Page.frPreview()->imPreview()->grab().toImage(), AlphaPreview);

        auto* Start = Page.findChild<QPushButton*>(QStringLiteral("btStart"));
        QTest::mouseClick(Start, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!Page.Running(), RunTimeout);
        QCOMPARE(Answerer->MessageTexts(), QStringList{QStringLiteral("操作成功.")});
        QCOMPARE(Window->PageControl()->currentWidget(), Window->tsSubtitleFiles());
        QCOMPARE(AlphaItem.ImmutableSubtitleItems().size(), std::size_t(2));
        QCOMPARE(BetaItem.ImmutableSubtitleItems().size(), std::size_t(1));
        QDir Written(Titles);
        QCOMPARE(QDir(Written.filePath(QStringLiteral("Alpha"))).entryList({QStringLiteral("*.etl")}),
                 (QStringList{QStringLiteral("Title00001.etl"), QStringLiteral("Title00002.etl")}));
        QCOMPARE(QDir(Written.filePath(QStringLiteral("Beta"))).entryList({QStringLiteral("*.etl")}),
                 QStringList{QStringLiteral("Title00001.etl")});
        // The subtitle page lists the titles of the selected document.
        QCOMPARE(Window->SubtitleEditor()->lvObjects()->topLevelItemCount(), 2);
        SaveScreenshot(*Window, QStringLiteral("subtitle-page"));

        // The saved project holds the records: a new window opens it as it was.
        Window.reset();
        Answerer.reset();
        ProjectManager().NewProject(QString());
        auto Reopened = std::make_unique<TFoMain>();
        TModalAnswerer Opener([&](QWidget* Modal) {
            if (auto* Start = qobject_cast<TFoOperation*>(Modal))
                Start->btOpenProject()->click();
            else if (QFileDialog* Open = FileDialog(Modal, "odProject"))
                ChooseFiles(Open, {ProjectFile});
            else
                TModalAnswerer::CloseDefault(Modal);
        });
        Reopened->show();
        QTRY_COMPARE(Reopened->windowTitle(), Title() + QStringLiteral(" - Alpha"));
        const TProject& Read = ProjectManager().GetActiveProject();
        QCOMPARE(SourceFileNames(Read), (QStringList{QStringLiteral("Alpha.txt"), QStringLiteral("Beta.txt")}));
        QCOMPARE(Read.DocumentItems().at(0)->FontSize(), 36);
        QCOMPARE(Read.DocumentItems().at(1)->FontSize(), 36);
        QCOMPARE(Read.DocumentItems().at(0)->ImmutableSubtitleItems().size(), std::size_t(2));
        QCOMPARE(Read.DocumentItems().at(1)->ImmutableSubtitleItems().size(), std::size_t(1));
        QCOMPARE(Read.DocumentItems().at(0)->ImmutableSubtitleItems().at(1)->SubtitleFileName(),
                 QStringLiteral("Title00002.etl"));
        QCOMPARE(RowCaptions(Reopened->DocumentEditor()->lvObjects()),
                 (QStringList{QStringLiteral("Alpha.txt"), QStringLiteral("Beta.txt")}));
        QVERIFY(Opener.MessageTexts().isEmpty());
    }
};

QTEST_MAIN(TestMain)
#include "tst_main.moc"
#include "moc_UrlRecorder.cpp"
