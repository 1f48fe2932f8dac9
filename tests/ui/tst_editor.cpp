// ModalAnswerer.h uses the button classes without including them.
#include <QPushButton>

#include "ModalAnswerer.h"

#include "ui/EllipsisEdit.h"
#include "ui/Editor.h"
#include "ui/ObjectInspector.h"
#include "ui/Preview.h"
#include "ui/PreviewImage.h"
#include "ui/PropertyGrid.h"

#include "components/ListViewEx.h"
#include "model/SubtitleItem.h"

#include <QColorDialog>
#include <QToolButton>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <vector>

namespace {

// A page as the real ones are: the selected rows' items go to the inspector, and the
// preview shows the first of them. Every redraw records which rows were selected then.
class TCountingEditor : public TFoEditor
{
public:
    TCountingEditor()
    {
        lvObjects()->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("A"), QStringLiteral("B"),
                                      QStringLiteral("C")});
        resize(900, 700);
    }

    void UpdatePreview() override
    {
        QStringList Selected;
        for (const QTreeWidgetItem* Row : SelectedRows())
            Selected << Row->text(0);
        Redraws << Selected;
        const QList<QTreeWidgetItem*> Rows = SelectedRows();
        DrawPreview(Rows.isEmpty() ? nullptr : RowItem(Rows.first()));
    }

    QList<QStringList> Redraws;

protected:
    void lvObjectsChange() override
    {
        frObjectInspector()->ClearObjects(false);
        for (QTreeWidgetItem* Row : SelectedRows())
            frObjectInspector()->AddObject(RowItem(Row), false);
        frObjectInspector()->RefreshProperties();
    }
};

std::unique_ptr<TSubtitleItem> MakeItem(qint32 VideoWidth, qint32 VideoHeight)
{
    auto Item = std::make_unique<TSubtitleItem>();
    Item->SetFontName(QStringLiteral("Liberation Sans"));
    Item->SetFontSize(20);
    Item->SetFontColor(0xFFFFFF);
    Item->SetBoxWidth(VideoWidth - 20);
    Item->SetVideoWidth(VideoWidth);
    Item->SetVideoHeight(VideoHeight);
    return Item;
}

// Rows "A", "B", "C", each with two sub-items and an item of its own frame size, so the
// preview's picture tells which item it shows.
class TFixture
{
public:
    TFixture()
    {
        const QSize Sizes[] = {{320, 180}, {400, 300}, {480, 270}};
        for (int Index = 0; Index < 3; ++Index) {
            Items.push_back(MakeItem(Sizes[Index].width(), Sizes[Index].height()));
            Rows << Editor.lvObjects()->AddItem(QString(QChar(u'A' + Index)),
                                                {QStringLiteral("first"), QStringLiteral("second")},
                                                Items.back().get());
        }
    }

    bool Show()
    {
        Editor.show();
        return QTest::qWaitForWindowActive(&Editor);
    }

    void Click(const QString& Row, Qt::KeyboardModifiers Modifiers = {})
    {
        QWidget* Viewport = Editor.lvObjects()->viewport();
        const QPoint Where = Row.isEmpty() ? QPoint(Viewport->width() / 2, Viewport->height() - 5)
                                           : Editor.lvObjects()->visualItemRect(Rows[Row.at(0).unicode() - u'A']).center();
        QTest::mouseClick(Viewport, Qt::LeftButton, Modifiers, Where);
    }

    QStringList Selected() const
    {
        QStringList Names;
        for (const QTreeWidgetItem* Row : Editor.SelectedRows())
            Names << Row->text(0);
        return Names;
    }

    QSize PictureSize() const { return Editor.frPreview()->imPreview()->Picture().size(); }

    TPropertyGrid* Grid() const
    {
        return Editor.frObjectInspector()->findChild<TPropertyGrid*>(QStringLiteral("vlObjectInspector"));
    }

    // Opens the editor of the named property's value cell, as a click into it does.
    QWidget* ClickValue(const QString& Name)
    {
        TPropertyGrid* Properties = Grid();
        for (int Row = 1; Row <= Properties->PropertyRowCount(); ++Row) {
            if (Properties->KeyText(Row) != Name)
                continue;
            const QRect Cell = Properties->visualRect(Properties->model()->index(Row - 1, 1));
            QTest::mouseClick(Properties->viewport(), Qt::LeftButton, {}, Cell.center());
            return Properties->CurrentRow() == Row ? Properties->Editor() : nullptr;
        }
        return nullptr;
    }

    TCountingEditor Editor;
    std::vector<std::unique_ptr<TSubtitleItem>> Items;
    QList<QTreeWidgetItem*> Rows;
};

QStringList Texts(const QTreeWidgetItem* Row)
{
    QStringList Result;
    for (int Column = 0; Column < Row->columnCount(); ++Column)
        Result << Row->text(Column);
    return Result;
}

} // namespace

class TestEditor : public QObject
{
    Q_OBJECT

private slots:
    void selectionChange_redrawsThePreviewOfTheNewSelection_data()
    {
        QTest::addColumn<QString>("Before");
        QTest::addColumn<QString>("Clicked");
        QTest::addColumn<int>("Modifiers");
        QTest::addColumn<QStringList>("After");

        QTest::newRow("first selection") << QString() << "B" << 0 << QStringList{"B"};
        QTest::newRow("from one row to another") << "A" << "C" << 0 << QStringList{"C"};
        QTest::newRow("Ctrl+click deselects") << "B" << "B" << int(Qt::ControlModifier) << QStringList{};
        QTest::newRow("Ctrl+click adds") << "C" << "A" << int(Qt::ControlModifier) << QStringList{"A", "C"};
        QTest::newRow("Shift+click extends") << "A" << "C" << int(Qt::ShiftModifier) << QStringList{"A", "B", "C"};
        QTest::newRow("click below the rows") << "A" << QString() << 0 << QStringList{};
    }

    void selectionChange_redrawsThePreviewOfTheNewSelection()
    {
        QFETCH(QString, Before);
        QFETCH(QString, Clicked);
        QFETCH(int, Modifiers);
        QFETCH(QStringList, After);
        TFixture Fixture;
        QVERIFY(Fixture.Show());
        if (!Before.isEmpty())
            Fixture.Click(Before);
        Fixture.Editor.Redraws.clear();

        Fixture.Click(Clicked, Qt::KeyboardModifiers(Modifiers));

        QCOMPARE(Fixture.Selected(), After);
        // Redrawn after the change, with the selection as it is now.
        QVERIFY(!Fixture.Editor.Redraws.isEmpty());
        QCOMPARE(Fixture.Editor.Redraws.last(), After);
        const QSize Expected = After.isEmpty() ? QSize(0, 0)
                                               : QSize(Fixture.Items[After.first().at(0).unicode() - u'A']->VideoWidth(),
                                                       Fixture.Items[After.first().at(0).unicode() - u'A']->VideoHeight());
        QCOMPARE(Fixture.PictureSize(), Expected);
    }

    void removingTheSelectedRow_emptiesThePreview()
    {
        TFixture Fixture;
        QVERIFY(Fixture.Show());
        Fixture.Click(QStringLiteral("B"));
        Fixture.Editor.Redraws.clear();
        delete Fixture.Rows.takeAt(1);
        QVERIFY(!Fixture.Editor.Redraws.isEmpty());
        QCOMPARE(Fixture.Editor.Redraws.last(), QStringList());
        QCOMPARE(Fixture.PictureSize(), QSize(0, 0));
    }

    void inspectorValue_redrawsOnlyWhenAccepted_data()
    {
        QTest::addColumn<QString>("Property");
        QTest::addColumn<QString>("Typed");
        QTest::addColumn<bool>("Accepted");

        QTest::newRow("accepted") << "FontSize" << "30" << true;
        QTest::newRow("not a number") << "FontSize" << "abc" << false;
        QTest::newRow("refused by the item") << "BoxWidth" << "5000" << false;
    }

    void inspectorValue_redrawsOnlyWhenAccepted()
    {
        QFETCH(QString, Property);
        QFETCH(QString, Typed);
        QFETCH(bool, Accepted);
        TFixture Fixture;
        QVERIFY(Fixture.Show());
        Fixture.Click(QStringLiteral("A"));
        const TSubtitleItem& Item = *Fixture.Items[0];
        const QString Before = Item.ToString();
        TModalAnswerer Answerer;
        Fixture.Editor.Redraws.clear();

        QWidget* Editor = Fixture.ClickValue(Property);
        QVERIFY(Editor);
        QTest::keyClick(Editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(Editor, Typed);
        QTest::keyClick(Editor, Qt::Key_Return);
        QTest::qWait(100);

        QCOMPARE(Answerer.MessageTexts().size(), Accepted ? 0 : 1);
        QCOMPARE(Fixture.Editor.Redraws.size(), Accepted ? 1 : 0);
        QCOMPARE(Item.ToString() != Before, Accepted);
    }

    void colourDialog_redrawsAfterWritingTheColour()
    {
        TFixture Fixture;
        QVERIFY(Fixture.Show());
        Fixture.Click(QStringLiteral("B"));
        Fixture.Editor.SetTestText(QStringLiteral("Colour"));
        Fixture.Editor.Redraws.clear();
        TModalAnswerer Answerer([](QWidget* Dialog) {
            auto* Colours = qobject_cast<QColorDialog*>(Dialog);
            if (!Colours)
                return TModalAnswerer::CloseDefault(Dialog);
            Colours->setCurrentColor(QColor(10, 200, 30));
            Colours->accept();
        });

        auto* Editor = qobject_cast<TEllipsisEdit*>(Fixture.ClickValue(QStringLiteral("FontColor")));
        QVERIFY(Editor);
        QTest::mouseClick(Editor->Button(), Qt::LeftButton);
        QTRY_COMPARE(Answerer.Answered(), 1);

        QCOMPARE(Fixture.Items[1]->FontColor(), 10 | 200 << 8 | 30 << 16);
        QCOMPARE(Fixture.Editor.Redraws, (QList<QStringList>{{QStringLiteral("B")}}));
        // The picture was drawn after the write: the text is in the new colour.
        const QImage Picture = Fixture.Editor.frPreview()->imPreview()->Picture();
        bool NewColour = false;
        for (int Y = 0; Y < Picture.height() && !NewColour; ++Y)
            for (int X = 0; X < Picture.width() && !NewColour; ++X)
                NewColour = Picture.pixel(X, Y) == qRgb(10, 200, 30);
        QVERIFY(NewColour);
    }

    void previewControls_redraw()
    {
        TFixture Fixture;
        QVERIFY(Fixture.Show());
        Fixture.Click(QStringLiteral("A"));
        TFrPreview* Preview = Fixture.Editor.frPreview();
        Fixture.Editor.Redraws.clear();

        QTest::mouseClick(Preview->rbBkgWhite(), Qt::LeftButton);
        QCOMPARE(Fixture.Editor.Redraws.size(), 1);
        QCOMPARE(Preview->imPreview()->Picture().pixel(0, 0), qRgb(255, 255, 255));

        Preview->meTest()->setFocus();
        QTest::keyClicks(Preview->meTest(), QStringLiteral("ab"));
        QCOMPARE(Fixture.Editor.Redraws.size(), 3);
        QCOMPARE(Fixture.Editor.GetTestText(), QStringLiteral("ab"));
    }

    void setTestText_neitherRedrawsNorSignals()
    {
        TFixture Fixture;
        QVERIFY(Fixture.Show());
        Fixture.Click(QStringLiteral("A"));
        TFrPreview* Preview = Fixture.Editor.frPreview();
        QSignalSpy Changes(Preview, &TFrPreview::TestTextChanged);
        Fixture.Editor.Redraws.clear();

        Fixture.Editor.SetTestText(QStringLiteral("one\r\ntwo"));
        QCOMPARE(Fixture.Editor.GetTestText(), QStringLiteral("one\r\ntwo"));
        QCOMPARE(Fixture.Editor.Redraws.size(), 0);
        QCOMPARE(Changes.size(), 0);

        // The change handling is back: the user's typing redraws again.
        Preview->meTest()->setFocus();
        Preview->meTest()->moveCursor(QTextCursor::End);
        QTest::keyClick(Preview->meTest(), Qt::Key_X);
        QCOMPARE(Fixture.Editor.GetTestText(), QStringLiteral("one\r\ntwox"));
        QCOMPARE(Changes.size(), 1);
        QCOMPARE(Fixture.Editor.Redraws.size(), 1);
    }

    void refreshItemText_data()
    {
        QTest::addColumn<int>("Column");
        // The row handed in ("" for none, meaning the first selected one).
        QTest::addColumn<QString>("Row");
        QTest::addColumn<QStringList>("Selected");
        QTest::addColumn<QString>("ChangedRow");
        QTest::addColumn<int>("ChangedColumn");

        QTest::newRow("caption") << 0 << "B" << QStringList{} << "B" << 0;
        QTest::newRow("first sub-item") << 1 << "B" << QStringList{} << "B" << 1;
        QTest::newRow("last sub-item") << 2 << "C" << QStringList{} << "C" << 2;
        QTest::newRow("beyond the sub-items") << 3 << "B" << QStringList{} << QString() << -1;
        QTest::newRow("negative column") << -1 << "B" << QStringList{} << QString() << -1;
        QTest::newRow("first selected row") << 2 << QString() << QStringList{"B", "C"} << "B" << 2;
        QTest::newRow("nothing selected") << 1 << QString() << QStringList{} << QString() << -1;
    }

    void refreshItemText()
    {
        QFETCH(int, Column);
        QFETCH(QString, Row);
        QFETCH(QStringList, Selected);
        QFETCH(QString, ChangedRow);
        QFETCH(int, ChangedColumn);
        TFixture Fixture;
        for (const QString& Name : Selected)
            Fixture.Rows[Name.at(0).unicode() - u'A']->setSelected(true);
        QList<QStringList> Expected;
        for (const QTreeWidgetItem* Shown : Fixture.Rows)
            Expected << Texts(Shown);
        if (!ChangedRow.isEmpty()) {
            const int Index = ChangedRow.at(0).unicode() - u'A';
            Expected[Index][ChangedColumn] = Fixture.Items[std::size_t(Index)]->ToString();
        }

        Fixture.Editor.RefreshItemText(Column, Row.isEmpty() ? nullptr : Fixture.Rows[Row.at(0).unicode() - u'A']);

        for (int Index = 0; Index < Fixture.Rows.size(); ++Index) {
            QCOMPARE(Texts(Fixture.Rows[Index]), Expected[Index]);
            QCOMPARE(TListViewEx::SubItemCount(Fixture.Rows[Index]), 2);
        }
    }

    void refreshItemText_rowWithoutItemStaysAsItIs()
    {
        TFixture Fixture;
        QTreeWidgetItem* Bare = Fixture.Editor.lvObjects()->AddItem(QStringLiteral("D"), {QStringLiteral("first")});
        const QStringList Before = Texts(Bare);
        Fixture.Editor.RefreshItemText(0, Bare);
        Fixture.Editor.RefreshItemText(1, Bare);
        QCOMPARE(Texts(Bare), Before);
        QCOMPARE(Bare->text(0), QStringLiteral("D"));
    }
};

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
