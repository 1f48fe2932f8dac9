#pragma once

// ModalAnswerer.h uses the button classes without including them.
#include <QPushButton>

#include "ModalAnswerer.h"

#include "ui/DocumentEditor.h"
#include "ui/Main.h"
#include "ui/ObjectInspector.h"
#include "ui/Operation.h"
#include "ui/PickListEdit.h"
#include "ui/PropertyGrid.h"

#include "components/ListViewEx.h"
#include "model/ApplicationDirectory.h"
#include "model/AttributedObservableObject.h"
#include "model/Project.h"
#include "persistence/ProjectManager.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <memory>

// What the main window and documents page tests share: real document files, the real
// file dialogs answered as a user would fill them, and the window opened past its start
// dialog.
namespace Harness {

// How long a test waits for a run to get somewhere. Every line read and written is a
// hand-over between two threads, and a busy machine makes each one slow.
constexpr int RunTimeout = 120000;

inline void UseBuildAttributes()
{
    TAttributedObservableObject::SetAttributeFileName(AttributeFilePath());
}

// A UTF-8 text document with one subtitle per line.
inline QString WriteDocument(const QString& Folder, const QString& Name, const QStringList& Lines)
{
    const QString Path = QDir(Folder).filePath(Name);
    QFile File(Path);
    if (!File.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    File.write(Lines.join(QLatin1Char('\n')).toUtf8());
    File.write("\n");
    return Path;
}

inline QLineEdit* FileNameEdit(QFileDialog* Dialog)
{
    return Dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

// OK of a file dialog (QFileDialog hides accept(), which checks what was typed).
inline void Accept(QFileDialog* Dialog)
{
    static_cast<QDialog*>(Dialog)->accept();
}

// Types the files' names into the dialog's name box, as a user who selects several
// files sees them ("a.txt" "b.txt"), and presses the dialog's OK. (selectFile() leaves
// the box alone while it has the focus.)
inline void ChooseFiles(QFileDialog* Dialog, const QStringList& Paths)
{
    Dialog->setDirectory(QFileInfo(Paths.first()).absolutePath());
    QStringList Names;
    for (const QString& Path : Paths)
        Names << QFileInfo(Path).fileName();
    if (Names.size() > 1) {
        for (QString& Name : Names)
            Name = QLatin1Char('"') + Name + QLatin1Char('"');
    }
    FileNameEdit(Dialog)->setText(Names.join(QLatin1Char(' ')));
    Accept(Dialog);
}

inline QFileDialog* FileDialog(QWidget* Modal, const char* Name)
{
    auto* Dialog = qobject_cast<QFileDialog*>(Modal);
    return Dialog && Dialog->objectName() == QLatin1String(Name) ? Dialog : nullptr;
}

// The offscreen platform gives the focus back to no window when a dialog closes.
inline bool Activate(QWidget& Window)
{
    Window.activateWindow();
    return QTest::qWaitForWindowActive(&Window);
}

// Shows the window and closes its start dialog with the close box: an empty, unnamed
// project. Returns whether the start dialog came and went.
inline bool ShowPastStartDialog(TFoMain& Window)
{
    TModalAnswerer Answerer;
    Window.show();
    if (!QTest::qWaitForWindowExposed(&Window))
        return false;
    if (!QTest::qWaitFor([&] { return Answerer.Answered() == 1 && !QApplication::activeModalWidget(); }, 10000))
        return false;
    return Activate(Window);
}

inline QAction* Command(const QWidget& Window, const char* Name)
{
    return Window.findChild<QAction*>(QLatin1String(Name));
}

inline QRect RowRect(TListViewEx* List, int Row)
{
    return List->visualItemRect(List->topLevelItem(Row));
}

inline void ClickRow(TListViewEx* List, int Row, Qt::KeyboardModifiers Modifiers = {})
{
    QTest::mouseClick(List->viewport(), Qt::LeftButton, Modifiers, RowRect(List, Row).center());
}

// The captions of the rows, top to bottom.
inline QStringList RowCaptions(TListViewEx* List)
{
    QStringList Captions;
    for (int Row = 0; Row < List->topLevelItemCount(); ++Row)
        Captions << List->topLevelItem(Row)->text(0);
    return Captions;
}

// The 0-based numbers of the selected rows, in list order.
inline QList<int> SelectedRowNumbers(TListViewEx* List)
{
    QList<int> Numbers;
    for (int Row = 0; Row < List->topLevelItemCount(); ++Row)
        if (List->topLevelItem(Row)->isSelected())
            Numbers << Row;
    return Numbers;
}

inline QStringList SourceFileNames(const TProject& Project)
{
    QStringList Names;
    for (const auto& Item : Project.DocumentItems())
        Names << QFileInfo(Item->SourceFileName()).fileName();
    return Names;
}

inline TPropertyGrid* Grid(TFoEditor& Page)
{
    return Page.frObjectInspector()->findChild<TPropertyGrid*>(QStringLiteral("vlObjectInspector"));
}

inline int GridRowOf(TPropertyGrid* Grid, const QString& Name)
{
    for (int Row = 1; Row <= Grid->PropertyRowCount(); ++Row)
        if (Grid->KeyText(Row) == Name)
            return Row;
    return 0;
}

// Clicks the value cell of the named property, replaces its text as typed and presses
// Enter. Returns whether the cell's editor opened.
inline bool EditValue(TFoEditor& Page, const QString& Name, const QString& Text)
{
    TPropertyGrid* Values = Grid(Page);
    const int Row = GridRowOf(Values, Name);
    if (Row == 0)
        return false;
    Values->scrollToItem(Values->item(Row - 1, 1));
    QTest::mouseClick(Values->viewport(), Qt::LeftButton, {},
                      Values->visualRect(Values->model()->index(Row - 1, 1)).center());
    auto* Editor = qobject_cast<TPickListEdit*>(Values->Editor());
    QLineEdit* Line = Editor ? Editor->lineEdit() : qobject_cast<QLineEdit*>(Values->Editor());
    if (!Line)
        return false;
    Line->selectAll();
    QTest::keyClicks(Line, Text);
    QTest::keyClick(Line, Qt::Key_Return);
    return true;
}

// A project file listing the documents with their default settings, their titles
// going to TitleFolder/<document name>. It becomes the active project.
inline QString WriteProject(const QString& Folder, const QString& Name, const QStringList& Documents,
                            const QString& TitleFolder = {})
{
    ProjectManager().NewProject(QString());
    TProject& Project = ProjectManager().GetActiveProject();
    for (const QString& Document : Documents) {
        auto Item = std::make_unique<TDocumentItem>();
        Item->LoadAttributes(true);
        Item->SetSourceFileName(Document);
        if (!TitleFolder.isEmpty())
            Item->SetSubtitleDirectory(TitleFolder + QStringLiteral("/{SourceFileName}"));
        Project.AddDocumentItem(std::move(Item));
    }
    const QString Path = QDir(Folder).filePath(Name);
    ProjectManager().SaveProject(Path);
    return Path;
}

// Shows the window with the project opened as if given on the command line.
inline bool ShowWithProject(TFoMain& Window, const QString& ProjectFile)
{
    Window.SetStartupProject(ProjectFile);
    Window.show();
    if (!QTest::qWaitFor([] {
            const TProject* Project = ProjectManager().ActiveProject();
            return Project && !Project->FileName().isEmpty();
        }))
        return false;
    return Activate(Window);
}

// The .etl files in Folder.
inline int TitleFileCount(const QString& Folder)
{
    return int(QDir(Folder).entryList({QStringLiteral("*.etl")}, QDir::Files).size());
}

// Where the tests leave pictures of the window for people to look at, or empty.
inline QString ScreenshotDirectory()
{
    return qEnvironmentVariable("NUVEX_SCREENSHOT_DIR");
}

inline void SaveScreenshot(QWidget& Window, const QString& Name)
{
    const QString Folder = ScreenshotDirectory();
    if (Folder.isEmpty())
        return;
    QDir().mkpath(Folder);
    QVERIFY(Window.grab().save(QDir(Folder).filePath(Name + QStringLiteral(".png"))));
}

} // namespace Harness
