// ModalAnswerer.h uses the button classes without including them.
#include <QPushButton>

#include "ModalAnswerer.h"
#include "PrivateSessionBus.h"

#include "ui/DocumentEditor.h"
#include "ui/EllipsisEdit.h"
#include "ui/Main.h"
#include "ui/Palette.h"
#include "ui/ObjectInspector.h"
#include "ui/Preview.h"
#include "ui/PreviewImage.h"
#include "ui/PropertyGrid.h"
#include "ui/SubtitleEditor.h"

#include "components/ListViewEx.h"
#include "components/PageControlEx.h"
#include "model/DocumentItem.h"
#include "model/Project.h"
#include "persistence/ProjectManager.h"
#include "titles/SubtitleItemFactory.h"

#include <QAction>
#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QUrl>

#include <memory>

namespace {

// One title each: every line fits into the box in at most three lines.
const QStringList SourceLines{QStringLiteral("Hello world"),
                              QStringLiteral("The quick brown fox jumps over the lazy dog"),
                              QStringLiteral("一起 去看 电影"),
                              QStringLiteral("Every subtitle has a title file of its own"),
                              QStringLiteral("Last line")};
constexpr int TitleCount = 5;
constexpr int BoxWidth = 300;
constexpr int BoxRelativeY = -40;
constexpr int FontSize = 24;

enum TColumn
{
    NameColumn,
    ContentColumn,
    LinesColumn,
    SettingsColumn,
    DateColumn,
    MarkColumn,
};

QString Shown(const QString& Text)
{
    return QString(Text).replace(QStringLiteral("\r\n"), QStringLiteral(" ¶ "));
}

QString Settings(int Width, int Size)
{
    return QStringLiteral("vs: 720x576; bw: %1; xy: 0,%2; fs: %3").arg(Width).arg(BoxRelativeY).arg(Size);
}

QByteArray Bytes(const QString& FileName)
{
    QFile File(FileName);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

void WriteText(const QString& FileName, const QStringList& Lines)
{
    QFile File(FileName);
    QVERIFY(File.open(QIODevice::WriteOnly | QIODevice::Truncate));
    File.write(Lines.join(QStringLiteral("\r\n")).toUtf8());
}

// The main window after a real generation run of two documents: Lines.txt gave five
// titles, Blank.txt (blank lines only) none. The subtitle page shows Lines.txt's titles.
class TWindow
{
public:
    // Call through SETUP: a failed step ends the test.
    void Setup()
    {
        Main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&Main));
        // The start dialog, closed with its close box.
        QTRY_COMPARE(Answerer.Answered(), 1);

        ProjectFile = Folder.filePath(QStringLiteral("Demo.nvproj"));
        TitleFolder = Folder.filePath(QStringLiteral("Titles"));
        ProjectManager().NewProject(ProjectFile);
        WriteText(Folder.filePath(QStringLiteral("Lines.txt")), SourceLines);
        WriteText(Folder.filePath(QStringLiteral("Blank.txt")), {QStringLiteral("  "), QString()});
        Documents()->AddDocumentFiles({Folder.filePath(QStringLiteral("Lines.txt")),
                                       Folder.filePath(QStringLiteral("Blank.txt"))});
        for (const auto& Item : ProjectManager().GetActiveProject().DocumentItems()) {
            Item->SetSubtitleDirectory(TitleFolder);
            Item->SetSubtitleFileName(QStringLiteral("Demo_{0}.etl"));
            Item->SetFontName(QStringLiteral("Liberation Sans"));
            Item->SetFontSize(FontSize);
            Item->SetVideoWidth(720);
            Item->SetVideoHeight(576);
            Item->SetBoxAlign(taCenter);
            Item->SetBoxRelativeX(0);
            Item->SetBoxRelativeY(BoxRelativeY);
            Item->SetBoxWidth(BoxWidth);
            Item->SetLineMaximum(4);
        }
        SelectDocument(0);
        Documents()->Start();
        QTRY_VERIFY_WITH_TIMEOUT(!Documents()->Running(), 60000);
        QTRY_COMPARE(Page()->lvObjects()->topLevelItemCount(), TitleCount);
        QCOMPARE(Answerer.MessageTexts(), QStringList{QStringLiteral("操作成功.")});
        QCOMPARE(Main.PageControl()->currentWidget(), Main.tsSubtitleFiles());
        QVERIFY(ProjectManager().GetActiveProject().DocumentItems()[1]->ImmutableSubtitleItems().empty());
    }

    TFoDocumentEditor* Documents() const { return Main.DocumentEditor(); }
    TFoSubtitleEditor* Page() const { return Main.SubtitleEditor(); }
    TDocumentItem& Document(int Index) const
    {
        return *ProjectManager().GetActiveProject().DocumentItems()[std::size_t(Index)];
    }
    QTreeWidgetItem* Row(int Index) const { return Page()->lvObjects()->topLevelItem(Index); }
    int RowCount() const { return Page()->lvObjects()->topLevelItemCount(); }
    QString Cell(int Index, int Column) const { return Row(Index)->text(Column); }
    TSubtitleItem* Item(int Index) const { return TFoEditor::RowItem(Row(Index)); }
    QString Title(int Index) const { return TitleFolder + QStringLiteral("/Demo_0000%1.etl").arg(Index + 1); }
    QStringList Marks() const
    {
        QStringList Result;
        for (int Index = 0; Index < RowCount(); ++Index)
            Result << Cell(Index, MarkColumn);
        return Result;
    }
    int SelectedRow() const
    {
        const QList<QTreeWidgetItem*> Rows = Page()->SelectedRows();
        return Rows.isEmpty() ? -1 : Page()->lvObjects()->indexOfTopLevelItem(Rows.first());
    }
    QPlainTextEdit* Memo() const { return Page()->frPreview()->meTest(); }

    void SelectDocument(int Index) const
    {
        Documents()->lvObjects()->setCurrentItem(Documents()->lvObjects()->topLevelItem(Index));
    }

    // What a user does to see another document's titles, or to reread the shown ones.
    void ShowTabsAgain() const
    {
        Main.PageControl()->setCurrentWidget(Main.tsSourceDocuments());
        Main.PageControl()->setCurrentWidget(Main.tsSubtitleFiles());
    }

    void ClickRow(int Index) const
    {
        QTest::mouseClick(Page()->lvObjects()->viewport(), Qt::LeftButton, {},
                          Page()->lvObjects()->visualItemRect(Row(Index)).center());
    }

    void TypeAtEnd(int Index, const QString& Text) const
    {
        ClickRow(Index);
        Memo()->setFocus();
        Memo()->moveCursor(QTextCursor::End);
        QTest::keyClicks(Memo(), Text);
    }

    // Types Value into the inspector's cell of Property for the selected row.
    bool EditValue(const QString& Property, const QString& Value) const
    {
        auto* Grid = Page()->frObjectInspector()->findChild<TPropertyGrid*>(QStringLiteral("vlObjectInspector"));
        for (int Line = 1; Line <= Grid->PropertyRowCount(); ++Line) {
            if (Grid->KeyText(Line) != Property)
                continue;
            Grid->scrollTo(Grid->model()->index(Line - 1, 1));
            QTest::mouseClick(Grid->viewport(), Qt::LeftButton, {},
                              Grid->visualRect(Grid->model()->index(Line - 1, 1)).center());
            QWidget* Editor = Grid->Editor();
            if (Grid->CurrentRow() != Line || !Editor)
                return false;
            QTest::keyClick(Editor, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(Editor, Value);
            QTest::keyClick(Editor, Qt::Key_Return);
            return true;
        }
        return false;
    }

    QList<QByteArray> TitleBytes() const
    {
        QList<QByteArray> Result;
        for (int Index = 0; Index < TitleCount; ++Index)
            Result << Bytes(Title(Index));
        return Result;
    }

    QTemporaryDir Folder;
    TModalAnswerer Answerer;
    TFoMain Main;
    QString ProjectFile;
    QString TitleFolder;
};

#define SETUP(Window)                                                                                                 \
    Window.Setup();                                                                                                   \
    if (QTest::currentTestFailed())                                                                                   \
    return

// The wrapped text of Text for a subtitle of the run's settings with another font size
// or box width.
QString Wrapped(const QString& Text, int Size, int Width, qint32& LineBreaks)
{
    TSubtitleItem Item;
    Item.SetFontName(QStringLiteral("Liberation Sans"));
    Item.SetFontSize(Size);
    Item.SetBoxWidth(Width);
    return TSubtitleItemFactory().WrapText(&Item, Text, LineBreaks);
}

} // namespace

class TestSubtitleEditor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The page asks the file manager on the session bus; the test's own bus takes that
        // place before anything connects to it.
        const QString Address = FBus.Start();
        if (Address.isEmpty())
            return;
        qputenv("DBUS_SESSION_BUS_ADDRESS", Address.toUtf8());
        QVERIFY(QDBusConnection(TPrivateSessionBus::FileManagerConnection)
                    .registerService(TPrivateSessionBus::FileManagerService));
        FBusRunning = true;
    }

    void afterARun_listsTheTitlesReadBack()
    {
        TWindow Window;
        SETUP(Window);
        TFoSubtitleEditor* Page = Window.Page();
        const QStringList Captions{"字幕名称", "内容", "线", "设置", "日期", ""};
        const int Widths[] = {90, 180, 40, 220, 105, 25};
        for (int Column = 0; Column < Captions.size(); ++Column) {
            QCOMPARE(Page->lvObjects()->headerItem()->text(Column), Captions[Column]);
            QCOMPARE(Page->lvObjects()->header()->sectionSize(Column), Widths[Column]);
        }
        for (int Index = 0; Index < TitleCount; ++Index) {
            qint32 LineBreaks = 0;
            const QString Text = Wrapped(SourceLines[Index], FontSize, BoxWidth, LineBreaks);
            QCOMPARE(Window.Cell(Index, NameColumn), QStringLiteral("Demo_0000%1").arg(Index + 1));
            QCOMPARE(Window.Cell(Index, ContentColumn), Shown(Text));
            QCOMPARE(Window.Cell(Index, LinesColumn), QString::number(LineBreaks + 1));
            QCOMPARE(Window.Cell(Index, SettingsColumn), Settings(BoxWidth, FontSize));
            QCOMPARE(Window.Cell(Index, DateColumn),
                     QFileInfo(Window.Title(Index)).lastModified().toString(QStringLiteral("yyyy.MM.dd HH:mm")));
            QCOMPARE(Window.Cell(Index, MarkColumn), QString());
            QCOMPARE(Window.Item(Index)->AttachedItem(), Window.Document(0).ImmutableSubtitleItems()[Index].get());
            QCOMPARE(Window.Row(Index)->textAlignment(LinesColumn), int(Qt::AlignRight | Qt::AlignVCenter));
            QCOMPARE(Window.Row(Index)->textAlignment(MarkColumn), int(Qt::AlignCenter));
        }
        // The long line really was wrapped, so the columns above show wrapping.
        QVERIFY(Window.Cell(1, ContentColumn).contains(QStringLiteral(" ¶ ")));

        // The first row is selected and shown everywhere.
        QCOMPARE(Window.SelectedRow(), 0);
        QCOMPARE(Page->GetTestText(), Window.Item(0)->SubtitleContent());
        QCOMPARE(Page->frObjectInspector()->FirstObject(), Window.Item(0));
        QCOMPARE(Page->frObjectInspector()->findChild<QLabel*>(QStringLiteral("lbInfo"))->text(),
                 QStringLiteral("Demo_00001"));
        QCOMPARE(Page->frPreview()->imPreview()->Picture().size(), QSize(720, 576));
        QVERIFY(Page->acOpenSubtitle()->isEnabled());
        QVERIFY(Page->acExplore()->isEnabled());
    }

    void documentWithoutTitles_givesAnEmptyList()
    {
        TWindow Window;
        SETUP(Window);
        Window.SelectDocument(1);
        Window.ShowTabsAgain();
        QCOMPARE(Window.RowCount(), 0);
        QVERIFY(!Window.Page()->frObjectInspector()->FirstObject());
        QVERIFY(Window.Page()->frPreview()->imPreview()->Picture().isNull());
        QCOMPARE(Window.Page()->GetTestText(), QString());
        QVERIFY(!Window.Page()->acOpenSubtitle()->isEnabled());
        QVERIFY(!Window.Page()->acExplore()->isEnabled());
    }

    void typingInTheMemo_marksTheRowAndRewrapsIt()
    {
        TWindow Window;
        SETUP(Window);
        const QByteArray File = Bytes(Window.Title(0));

        Window.TypeAtEnd(0, QStringLiteral(" and everything around it"));

        const QString Typed = SourceLines[0] + QStringLiteral(" and everything around it");
        qint32 LineBreaks = 0;
        const QString Text = Wrapped(Typed, FontSize, BoxWidth, LineBreaks);
        QVERIFY(LineBreaks > 0);
        QCOMPARE(Window.Item(0)->SubtitleContent(), Typed);
        QCOMPARE(Window.Item(0)->SubtitleLineCount(), LineBreaks + 1);
        QCOMPARE(Window.Cell(0, ContentColumn), Shown(Text));
        QCOMPARE(Window.Cell(0, LinesColumn), QString::number(LineBreaks + 1));
        QCOMPARE(Window.Marks(), (QStringList{"*", "", "", "", ""}));
        QCOMPARE(Bytes(Window.Title(0)), File);
    }

    void inspectorEdit_marksTheRowAndRewrapsOnlyForSizeAndWidth_data()
    {
        QTest::addColumn<QString>("Property");
        QTest::addColumn<QString>("Value");
        QTest::addColumn<int>("Size");
        QTest::addColumn<int>("Width");
        QTest::addColumn<bool>("Rewraps");

        QTest::newRow("FontSize") << "FontSize" << "40" << 40 << BoxWidth << true;
        QTest::newRow("BoxWidth") << "BoxWidth" << "200" << FontSize << 200 << true;
        QTest::newRow("FontColor") << "FontColor" << "255" << FontSize << BoxWidth << false;
    }

    void inspectorEdit_marksTheRowAndRewrapsOnlyForSizeAndWidth()
    {
        QFETCH(QString, Property);
        QFETCH(QString, Value);
        QFETCH(int, Size);
        QFETCH(int, Width);
        QFETCH(bool, Rewraps);
        TWindow Window;
        SETUP(Window);
        Window.ClickRow(3);
        const QString Content = Window.Cell(3, ContentColumn);
        const QString Lines = Window.Cell(3, LinesColumn);

        QVERIFY(Window.EditValue(Property, Value));

        QCOMPARE(Window.Marks(), (QStringList{"", "", "", "*", ""}));
        QCOMPARE(Window.Cell(3, SettingsColumn), Settings(Width, Size));
        qint32 LineBreaks = 0;
        const QString Text = Wrapped(Window.Item(3)->SubtitleContent(), Size, Width, LineBreaks);
        QCOMPARE(Window.Cell(3, ContentColumn) != Content, Rewraps);
        QCOMPARE(Window.Cell(3, LinesColumn) != Lines, Rewraps);
        if (Rewraps) {
            QCOMPARE(Window.Cell(3, ContentColumn), Shown(Text));
            QCOMPARE(Window.Cell(3, LinesColumn), QString::number(LineBreaks + 1));
        } else {
            QCOMPARE(Window.Item(3)->FontColor(), 255);
        }
    }

    void saveAll_withNothingMarked_savesTheProjectOnly()
    {
        TWindow Window;
        SETUP(Window);
        const QList<QByteArray> Titles = Window.TitleBytes();
        QVERIFY(QFile::remove(Window.ProjectFile));

        QTest::mouseClick(Window.Page()->btSaveAll(), Qt::LeftButton);

        QCOMPARE(Window.Answerer.MessageTexts().mid(1), QStringList{QStringLiteral("操作成功.")});
        QVERIFY(QFile::exists(Window.ProjectFile));
        QCOMPARE(Window.TitleBytes(), Titles);
    }

    void saveAll_rewritesTheMarkedTitles()
    {
        TWindow Window;
        SETUP(Window);
        const QList<QByteArray> Titles = Window.TitleBytes();
        Window.TypeAtEnd(0, QStringLiteral(" again and again"));
        Window.ClickRow(2);
        QVERIFY(Window.EditValue(QStringLiteral("BoxWidth"), QStringLiteral("250")));
        QVERIFY(Window.EditValue(QStringLiteral("FontSize"), QStringLiteral("30")));
        QCOMPARE(Window.Marks(), (QStringList{"*", "", "*", "", ""}));
        QVERIFY(QFile::remove(Window.ProjectFile));

        QTest::mouseClick(Window.Page()->btSaveAll(), Qt::LeftButton);

        QCOMPARE(Window.Answerer.MessageTexts().mid(1), QStringList{QStringLiteral("操作成功.")});
        QVERIFY(QFile::exists(Window.ProjectFile));
        QCOMPARE(Window.Marks(), (QStringList{"", "", "", "", ""}));
        const QList<QByteArray> Rewritten = Window.TitleBytes();
        for (int Index : {1, 3, 4})
            QCOMPARE(Rewritten[Index], Titles[Index]);
        QVERIFY(Rewritten[0] != Titles[0]);
        QVERIFY(Rewritten[2] != Titles[2]);
        // The record of the title follows its settings, so the project remembers them.
        QCOMPARE(Window.Document(0).ImmutableSubtitleItems()[2]->BoxWidth(), 250);
        QCOMPARE(Window.Cell(0, DateColumn),
                 QFileInfo(Window.Title(0)).lastModified().toString(QStringLiteral("yyyy.MM.dd HH:mm")));

        // Read back from the files, the titles show the edits.
        Window.ShowTabsAgain();
        qint32 LineBreaks = 0;
        QCOMPARE(Window.Cell(0, ContentColumn),
                 Shown(Wrapped(SourceLines[0] + QStringLiteral(" again and again"), FontSize, BoxWidth, LineBreaks)));
        QCOMPARE(Window.Cell(2, SettingsColumn), Settings(250, 30));
        QCOMPARE(Window.Marks(), (QStringList{"", "", "", "", ""}));
    }

    void saveAll_ofAnUnnamedProject_asksForAName()
    {
        TWindow Window;
        SETUP(Window);
        ProjectManager().GetActiveProject().SetFileName(QString());
        const QList<QByteArray> Titles = Window.TitleBytes();
        Window.TypeAtEnd(1, QStringLiteral("!"));

        QTest::mouseClick(Window.Page()->btSaveAll(), Qt::LeftButton);

        QCOMPARE(Window.Answerer.MessageTexts().mid(1),
                 QStringList{QStringLiteral(
                     "Mielőtt módosítaná a feliratokat, kérem mentse el a projektet valamilyen néven!")});
        QCOMPARE(Window.TitleBytes(), Titles);
        QCOMPARE(Window.Marks(), (QStringList{"", "*", "", "", ""}));
    }

    void saveAll_stopsAtATitleThatCannotBeWritten()
    {
        TWindow Window;
        SETUP(Window);
        const QList<QByteArray> Titles = Window.TitleBytes();
        Window.TypeAtEnd(0, QStringLiteral(" first"));
        Window.ClickRow(2);
        QVERIFY(Window.EditValue(QStringLiteral("BoxWidth"), QStringLiteral("250")));
        Window.TypeAtEnd(4, QStringLiteral(" last"));
        QVERIFY(QFile::setPermissions(Window.Title(2), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        QVERIFY(QFile::remove(Window.ProjectFile));

        QTest::mouseClick(Window.Page()->btSaveAll(), Qt::LeftButton);

        // Rows are written from the last: the one below the read-only title is done.
        const QStringList Messages = Window.Answerer.MessageTexts().mid(1);
        QCOMPARE(Messages.size(), 1);
        QVERIFY2(Messages[0].contains(QDir::toNativeSeparators(Window.Title(2))), qPrintable(Messages[0]));
        QCOMPARE(Window.Marks(), (QStringList{"*", "", "*", "", ""}));
        const QList<QByteArray> Now = Window.TitleBytes();
        QVERIFY(Now[4] != Titles[4]);
        QCOMPARE(Now[2], Titles[2]);
        QCOMPARE(Now[0], Titles[0]);
        QVERIFY(!QFile::exists(Window.ProjectFile));
        // The title that was not written keeps its old record.
        QCOMPARE(Window.Document(0).ImmutableSubtitleItems()[2]->BoxWidth(), BoxWidth);
    }

    void switchingTabs_dropsUnwrittenChanges()
    {
        TWindow Window;
        SETUP(Window);
        const QString Content = Window.Cell(1, ContentColumn);
        const QString Original = Window.Item(1)->SubtitleContent();
        Window.TypeAtEnd(1, QStringLiteral(" and more"));
        QCOMPARE(Window.Marks(), (QStringList{"", "*", "", "", ""}));

        Window.ShowTabsAgain();

        QCOMPARE(Window.RowCount(), TitleCount);
        QCOMPARE(Window.Marks(), (QStringList{"", "", "", "", ""}));
        QCOMPARE(Window.Cell(1, ContentColumn), Content);
        QCOMPARE(Window.Item(1)->SubtitleContent(), Original);
    }

    // The line count of a title with a line wider than its box stands out, its tooltip
    // naming the width and the box; an edit that makes the title fit takes that back.
    void titleWiderThanItsBox_standsOutInTheLineColumn()
    {
        TWindow Window;
        SETUP(Window);
        // Every line was wrapped into its box; the record of the second title now tells of
        // a box that its longest word alone overruns.
        constexpr int NarrowBox = 60;
        Window.Document(0).ImmutableSubtitleItems()[1]->SetBoxWidth(NarrowBox);
        Window.ShowTabsAgain();
        QCOMPARE(Window.RowCount(), TitleCount);

        for (int Index = 0; Index < TitleCount; ++Index) {
            const bool Wide = Index == 1;
            QCOMPARE(Window.Row(Index)->background(LinesColumn).style() != Qt::NoBrush, Wide);
            QCOMPARE(Window.Row(Index)->toolTip(LinesColumn).isEmpty(), !Wide);
        }
        QCOMPARE(Window.Row(1)->background(LinesColumn).color(), Palette::TooWide.Color());
        const QString Tip = Window.Row(1)->toolTip(LinesColumn);
        const QRegularExpressionMatch Numbers =
            QRegularExpression(QStringLiteral("^有一行宽 (\\d+) 像素，超出文本框宽度 (\\d+) 像素$")).match(Tip);
        QVERIFY2(Numbers.hasMatch(), qPrintable(Tip));
        QCOMPARE(Numbers.captured(2).toInt(), NarrowBox);
        // The widest line of the title as the run wrapped it into the run's box.
        QVERIFY(Numbers.captured(1).toInt() > NarrowBox && Numbers.captured(1).toInt() <= BoxWidth);

        Window.ClickRow(1);
        Window.Memo()->setFocus();
        Window.Memo()->selectAll();
        QTest::keyClicks(Window.Memo(), QStringLiteral("fox"));
        QCOMPARE(Window.Item(1)->SubtitleContent(), QStringLiteral("fox"));
        QCOMPARE(Window.Row(1)->background(LinesColumn).style(), Qt::NoBrush);
        QVERIFY(Window.Row(1)->toolTip(LinesColumn).isEmpty());
    }

    void ctrlUpDown_stepsThroughTheTitles_data()
    {
        QTest::addColumn<int>("From");
        QTest::addColumn<bool>("Down");
        QTest::addColumn<int>("To");

        QTest::newRow("down") << 1 << true << 2;
        QTest::newRow("up") << 3 << false << 2;
        QTest::newRow("down on the last row") << 4 << true << 4;
        QTest::newRow("up on the first row") << 0 << false << 0;
    }

    void ctrlUpDown_stepsThroughTheTitles()
    {
        QFETCH(int, From);
        QFETCH(bool, Down);
        QFETCH(int, To);
        TWindow Window;
        SETUP(Window);
        Window.ClickRow(From);
        Window.Memo()->setFocus();

        QTest::keyClick(Window.Memo(), Down ? Qt::Key_Down : Qt::Key_Up, Qt::ControlModifier);

        QCOMPARE(Window.SelectedRow(), To);
        QCOMPARE(Window.Page()->GetTestText(), Window.Item(To)->SubtitleContent());
        // The preview shows the new title's lines.
        QCOMPARE(Window.Page()->frPreview()->Renderer().DrawnLines().join(QStringLiteral("\r\n")),
                 Window.Item(To)->SubtitleContent());
        QVERIFY(!Window.Page()->frPreview()->imPreview()->Picture().isNull());
        // Showing another title's text in the memo wrote nothing into any title.
        QCOMPARE(Window.Marks(), (QStringList{"", "", "", "", ""}));
    }

    void unreadableTitle_keepsTheRowsReadBeforeIt()
    {
        TWindow Window;
        SETUP(Window);
        WriteText(Window.Title(2), {QStringLiteral("not a title")});

        Window.ShowTabsAgain();

        const QStringList Messages = Window.Answerer.MessageTexts().mid(1);
        QCOMPARE(Messages.size(), 1);
        QVERIFY2(Messages[0].contains(QStringLiteral("Demo_00003.etl")), qPrintable(Messages[0]));
        QCOMPARE(Window.RowCount(), 2);
        QCOMPARE(Window.Cell(1, NameColumn), QStringLiteral("Demo_00002"));
        QVERIFY(!QApplication::overrideCursor());
        // The list reacts to the user again.
        Window.ClickRow(1);
        QCOMPARE(Window.Page()->GetTestText(), Window.Item(1)->SubtitleContent());
        QCOMPARE(Window.Page()->frObjectInspector()->FirstObject(), Window.Item(1));
    }

    void rows_doNotOutliveTheirRecords_data()
    {
        QTest::addColumn<QString>("Action");
        QTest::addColumn<bool>("Cleared");

        QTest::newRow("shown document removed") << "remove shown" << true;
        QTest::newRow("other document removed") << "remove other" << false;
        QTest::newRow("project opened") << "open" << true;
        QTest::newRow("new project") << "new" << true;
        QTest::newRow("run started") << "run" << true;
    }

    void rows_doNotOutliveTheirRecords()
    {
        QFETCH(QString, Action);
        QFETCH(bool, Cleared);
        TWindow Window;
        SETUP(Window);
        Window.TypeAtEnd(1, QStringLiteral(" changed"));

        if (Action == QLatin1String("remove shown") || Action == QLatin1String("remove other")) {
            Window.SelectDocument(Action == QLatin1String("remove shown") ? 0 : 1);
            Window.Documents()->RemoveDocuments();
        } else if (Action == QLatin1String("open")) {
            Window.Main.OpenProjectFile(Window.ProjectFile);
        } else if (Action == QLatin1String("new")) {
            Window.Main.NewProject();
        } else {
            Window.Documents()->Start();
        }

        QCOMPARE(Window.RowCount(), Cleared ? 0 : TitleCount);
        QCOMPARE(Window.Page()->frObjectInspector()->FirstObject() == nullptr, Cleared);
        QCOMPARE(Window.Page()->frPreview()->imPreview()->Picture().isNull(), Cleared);
        if (Action != QLatin1String("run"))
            return;

        // While the run writes the records, Save All is withheld.
        QVERIFY(!Window.Page()->btSaveAll()->isEnabled());
        const int Messages = Window.Answerer.MessageTexts().size();
        QVERIFY(QFile::remove(Window.ProjectFile));
        Window.Page()->SaveAll();
        QVERIFY(!QFile::exists(Window.ProjectFile));
        QCOMPARE(Window.Answerer.MessageTexts().size(), Messages);

        QTRY_VERIFY_WITH_TIMEOUT(!Window.Documents()->Running(), 60000);
        QTRY_COMPARE(Window.RowCount(), TitleCount);
        QVERIFY(Window.Page()->btSaveAll()->isEnabled());
    }

    void openSubtitle_opensTheSelectedTitle_data()
    {
        QTest::addColumn<bool>("DoubleClick");
        QTest::newRow("command") << false;
        QTest::newRow("double-click") << true;
    }

    void openSubtitle_opensTheSelectedTitle()
    {
        QFETCH(bool, DoubleClick);
        TWindow Window;
        SETUP(Window);
        Window.ClickRow(3);
        FDesktop.Urls.clear();
        if (DoubleClick)
            QTest::mouseDClick(Window.Page()->lvObjects()->viewport(), Qt::LeftButton, {},
                               Window.Page()->lvObjects()->visualItemRect(Window.Row(3)).center());
        else
            Window.Page()->acOpenSubtitle()->trigger();
        QCOMPARE(FDesktop.Urls, QList<QUrl>{QUrl::fromLocalFile(Window.Title(3))});
        QCOMPARE(Window.Answerer.MessageTexts().size(), 1);
    }

    void explore_showsTheSelectedTitleInTheFileManager()
    {
        if (!FBusRunning)
            QSKIP("no private session bus (dbus-daemon missing)");
        TWindow Window;
        SETUP(Window);
        Window.ClickRow(2);
        const qsizetype Before = FFileManager.Requests().size();
        FDesktop.Urls.clear();

        Window.Page()->acExplore()->trigger();

        QTRY_COMPARE(FFileManager.Requests().size(), Before + 1);
        QTRY_VERIFY(!Window.Page()->findChild<QDBusPendingCallWatcher*>());
        const QList<QStringList> Requests = FFileManager.Requests().mid(Before);
        QCOMPARE(Requests[0], QStringList{QString::fromLatin1(QUrl::fromLocalFile(Window.Title(2)).toEncoded())});
        QVERIFY(FDesktop.Urls.isEmpty());
        QCOMPARE(Window.Answerer.MessageTexts().size(), 1);
    }

private:
    TPrivateSessionBus FBus;
    TFakeFileManager& FFileManager = FBus.FileManager;
    TUrlRecorder& FDesktop = FBus.Desktop;
    bool FBusRunning = false;
};

QTEST_MAIN(TestSubtitleEditor)
#include "tst_subtitleeditor.moc"
#include "moc_PrivateSessionBus.cpp"
#include "moc_UrlRecorder.cpp"
