// ModalAnswerer.h uses the button classes without including them.
#include <QPushButton>

#include "ModalAnswerer.h"
#include "TwinAddresses.h"

#include "ui/EllipsisEdit.h"
#include "ui/InterfaceFont.h"
#include "ui/ObjectInspector.h"
#include "ui/Palette.h"
#include "ui/PickListEdit.h"
#include "ui/PropertyGrid.h"

#include "model/DocumentItem.h"
#include "model/SubtitleItem.h"
#include "model/Error.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>
#include <vector>

namespace {

std::unique_ptr<TDocumentItem> MakeDocument(const QString& FileName)
{
    auto Item = std::make_unique<TDocumentItem>();
    Item->LoadAttributes(true);
    Item->SetSourceFileName(FileName);
    return Item;
}

// The frame in a window with one more widget, which takes the focus away from the grid.
class THost : public QWidget
{
public:
    THost()
        : Frame(new TFrObjectInspector(this))
        , Other(new QLineEdit(this))
    {
        auto* Layout = new QVBoxLayout(this);
        Layout->addWidget(Frame, 1);
        Layout->addWidget(Other);
        // Tall enough for every row of a document item without scrolling.
        resize(380, 640);
    }

    TPropertyGrid* Grid() const { return Frame->findChild<TPropertyGrid*>(QStringLiteral("vlObjectInspector")); }
    QString Caption() const { return Frame->findChild<QLabel*>(QStringLiteral("lbInfo"))->text(); }
    QPlainTextEdit* Memo() const { return Frame->findChild<QPlainTextEdit*>(QStringLiteral("meDescription")); }

    int RowOf(const QString& Name) const
    {
        for (int Row = 1; Row <= Grid()->PropertyRowCount(); ++Row)
            if (Grid()->KeyText(Row) == Name)
                return Row;
        return 0;
    }

    QRect CellRect(int Row, int Column) const { return Grid()->visualRect(Grid()->model()->index(Row - 1, Column)); }

    // A click into the value cell of the named row, which opens its editor.
    QWidget* ClickValue(const QString& Name)
    {
        const int Row = RowOf(Name);
        if (Row == 0)
            return nullptr;
        QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, CellRect(Row, 1).center());
        return Grid()->CurrentRow() == Row ? Grid()->Editor() : nullptr;
    }

    TFrObjectInspector* Frame;
    QLineEdit* Other;
};

bool ShowActive(QWidget& Window)
{
    Window.show();
    return QTest::qWaitForWindowActive(&Window);
}

// Counts the notifications of every object it watches.
class TChangeCounter
{
public:
    void Watch(TObservableObject& Object)
    {
        Object.SetOnChanged([this](TObservableObject&, const QString& Name) { Names << Name; });
    }
    QStringList Names;
};

bool Reddish(QRgb Pixel)
{
    return qRed(Pixel) - qBlue(Pixel) > 40;
}

bool Bluish(QRgb Pixel)
{
    return qBlue(Pixel) - qRed(Pixel) > 40;
}

// The rightmost column of Rect holding a pixel that differs from Background, or -1.
int RightmostInk(const QImage& Image, const QRect& Rect, QRgb Background)
{
    for (int X = Rect.right(); X >= Rect.left(); --X)
        for (int Y = Rect.top(); Y <= Rect.bottom(); ++Y)
            if (Image.pixel(X, Y) != Background)
                return X;
    return -1;
}

int CountPixels(const QImage& Image, const QRect& Rect, bool (*Test)(QRgb))
{
    int Count = 0;
    for (int X = Rect.left(); X <= Rect.right(); ++X)
        for (int Y = Rect.top(); Y <= Rect.bottom(); ++Y)
            Count += Test(Image.pixel(X, Y)) ? 1 : 0;
    return Count;
}

const QStringList DocumentPropertiesByName{
    QStringLiteral("BoxAlign"),           QStringLiteral("BoxAlignText"),       QStringLiteral("BoxRelativeX"),
    QStringLiteral("BoxRelativeY"),       QStringLiteral("BoxWidth"),           QStringLiteral("Edge"),
    QStringLiteral("EdgeColor"),          QStringLiteral("EdgeWidthHard"),      QStringLiteral("EdgeWidthSoft"),
    QStringLiteral("FontColor"),          QStringLiteral("FontName"),           QStringLiteral("FontSize"),
    QStringLiteral("FontStyleBold"),      QStringLiteral("FontStyleItalic"),    QStringLiteral("FontStyleUnderline"),
    QStringLiteral("LineMaximum"),        QStringLiteral("SourceFileName"),     QStringLiteral("SourceFilePassword"),
    QStringLiteral("SourceLineIncrement"), QStringLiteral("SubtitleDirectory"), QStringLiteral("SubtitleFileName"),
    QStringLiteral("VideoHeight"),        QStringLiteral("VideoWidth")};

// The faces the inspector is looked at in: the interface font (empty), the desktop's
// general face, and the general face of a Chinese desktop.
const QStringList Faces{QString(), QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK SC")};

// Gives Widget the face at the interface font's size; false when the face is missing.
bool UseFace(QWidget& Widget, const QString& Face)
{
    if (Face.isEmpty())
        return true;
    if (!QFontDatabase::families().contains(Face))
        return false;
    QFont Font(Face);
    Font.setPixelSize(11);
    Widget.setFont(Font);
    return true;
}

QString FaceName(const QString& Face)
{
    return Face.isEmpty() ? QStringLiteral("interface font") : Face;
}

} // namespace

class TestObjectInspector : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { TAttributedObservableObject::SetAttributeFileName(QString()); }

    void frame_hasItsComponentsAndLayout()
    {
        THost Host;
        QVERIFY(ShowActive(Host));
        QWidget* Info = Host.Frame->findChild<QWidget*>(QStringLiteral("pnInfo"));
        QVERIFY(Info);
        QCOMPARE(Info->height(), 20);
        QCOMPARE(Info->palette().color(QPalette::Window), Palette::InspectorFixed.Color());
        auto* Splitter = Host.Frame->findChild<QSplitter*>(QStringLiteral("spObjectInspector"));
        QVERIFY(Splitter);
        QCOMPARE(Splitter->handleWidth(), 3);
        QCOMPARE(Splitter->orientation(), Qt::Vertical);
        QVERIFY(Host.Memo()->isReadOnly());
        QCOMPARE(Host.Memo()->palette().color(QPalette::Base), Palette::Cream.Color());
        QCOMPARE(Host.Memo()->height(), 75);
        QCOMPARE(Host.Grid()->columnWidth(0), 125);
        QCOMPARE(Host.Grid()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Property"));
        QCOMPARE(Host.Grid()->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Value"));

        // The memo keeps its height when the frame changes size.
        Host.Frame->SetDescriptionHeight(35);
        QCOMPARE(Host.Memo()->height(), 35);
        const int GridHeight = Host.Grid()->height();
        Host.resize(Host.width(), Host.height() - 120);
        QTRY_COMPARE(Host.Grid()->height(), GridHeight - 120);
        QCOMPARE(Host.Memo()->height(), 35);
    }

    void names_showWholeAndValuesReachTheGridsEdge_data()
    {
        QTest::addColumn<QString>("Face"); // empty: the interface font
        QTest::addColumn<bool>("Subtitle");
        for (const QString& Face : Faces) {
            QTest::newRow(qPrintable(FaceName(Face) + QStringLiteral(", document"))) << Face << false;
            QTest::newRow(qPrintable(FaceName(Face) + QStringLiteral(", subtitle"))) << Face << true;
        }
    }

    void names_showWholeAndValuesReachTheGridsEdge()
    {
        QFETCH(QString, Face);
        QFETCH(bool, Subtitle);
        THost Host;
        if (!UseFace(*Host.Grid(), Face))
            QSKIP("face not installed");
        auto Document = MakeDocument(QStringLiteral("/data/Films/episode.docx"));
        TSubtitleItem Title;
        Title.LoadAttributes(true);
        Host.Frame->AddObject(Subtitle ? static_cast<TObservableObject*>(&Title) : Document.get(), true);
        QVERIFY(ShowActive(Host));

        const QFontMetrics Metrics(Host.Grid()->font());
        const auto CheckRows = [&] {
            for (int Row = 1; Row <= Host.Grid()->PropertyRowCount(); ++Row) {
                const QString Name = Host.Grid()->KeyText(Row);
                // Behind the 20-pixel indent, clear of the column's line.
                QVERIFY2(20 + Metrics.horizontalAdvance(Name) < Host.CellRect(Row, 0).width(), qPrintable(Name));
                QCOMPARE(Host.CellRect(Row, 1).right() + 1, Host.Grid()->viewport()->width());
            }
        };
        QVERIFY(Host.Grid()->PropertyRowCount() > 0);
        CheckRows();
        // The value column follows the frame's width and the user's key column.
        Host.resize(Host.width() + 150, Host.height());
        QTRY_COMPARE(Host.CellRect(1, 1).right() + 1, Host.Grid()->viewport()->width());
        CheckRows();
        Host.Grid()->horizontalHeader()->resizeSection(0, Host.Grid()->columnWidth(0) + 40);
        CheckRows();
        Host.resize(Host.width() - 200, Host.height());
        QTRY_COMPARE(Host.CellRect(1, 1).right() + 1, Host.Grid()->viewport()->width());
        CheckRows();
    }

    void description_twoLinesShowWhole_data()
    {
        QTest::addColumn<QString>("Face"); // empty: the interface font
        for (const QString& Face : Faces)
            QTest::newRow(qPrintable(FaceName(Face))) << Face;
    }

    void description_twoLinesShowWhole()
    {
        QFETCH(QString, Face);
        THost Host;
        if (!UseFace(*Host.Frame, Face))
            QSKIP("face not installed");
        Host.Frame->SetDescriptionLines(2);
        QVERIFY(ShowActive(Host));
        QPlainTextEdit* Memo = Host.Memo();
        // Whether the memo shows the whole text: its last line inside, and no scroll bar
        // for lines it takes as cut.
        const auto ShowsWhole = [Memo](const QStringList& Lines) {
            Memo->setPlainText(Lines.join(QLatin1Char('\n')));
            QTextCursor End(Memo->document());
            End.movePosition(QTextCursor::End);
            return Memo->cursorRect(End).bottom() < Memo->viewport()->height()
                   && Memo->verticalScrollBar()->maximum() == 0;
        };
        // A description and its default line, Chinese ones in a Chinese face wherever the
        // desktop's has no Chinese; a third line does not fit.
        const QString Description = QStringLiteral("The folder the titles are written to.");
        const QString Default = QStringLiteral("[默认值: {AppDir}/Titles/{SourceFileName}]");
        QVERIFY(ShowsWhole({Description, Default}));
        QVERIFY(ShowsWhole({Default, Description}));
        QVERIFY(ShowsWhole({Default, Default}));
        QVERIFY(!ShowsWhole({Description, Default, Description}));
    }

    void emptySelection_leavesNoRowsAndKeepsTheDescription()
    {
        THost Host;
        auto Item = MakeDocument(QStringLiteral("/data/a.txt"));
        Host.Frame->AddObject(Item.get(), true);
        Host.Frame->AddObject(nullptr, true);
        Host.Frame->AddObject(Item.get(), true);
        QCOMPARE(Host.Caption(), QStringLiteral("a.txt"));
        QCOMPARE(Host.Grid()->PropertyRowCount(), 23);
        Host.Memo()->setPlainText(QStringLiteral("kept"));

        Host.Frame->ClearObjects(true);
        QCOMPARE(Host.Grid()->PropertyRowCount(), 0);
        QCOMPARE(Host.Caption(), QString());
        QCOMPARE(Host.Memo()->toPlainText(), QStringLiteral("kept"));
        QVERIFY(!Host.Frame->FirstObject());
        try {
            Host.Frame->vlObjectInspectorGetPickList(QStringLiteral("FontSize"));
            QFAIL("a pick list was offered without a selection");
        } catch (const EError& Error) {
            QCOMPARE(Error.Message(), QStringLiteral("目前还没有选定对象。"));
        }
    }

    void oneDocumentItem_showsItsFileNameAndRowsInIndexOrder()
    {
        THost Host;
        auto Item = MakeDocument(QStringLiteral("/data/Films/movie.sub"));
        Host.Frame->AddObject(Item.get(), true);
        QCOMPARE(Host.Caption(), QStringLiteral("movie.sub"));
        QCOMPARE(Host.Grid()->PropertyRowCount(), 23);
        for (int Row = 1; Row <= 23; ++Row) {
            const TPropertyAttribute* Attribute = Item->GetPropertyAttribute(Host.Grid()->KeyText(Row));
            QVERIFY2(Attribute, qPrintable(Host.Grid()->KeyText(Row)));
            QCOMPARE(Attribute->Index, Row);
        }
        QCOMPARE(Host.Grid()->CellText(Host.RowOf(QStringLiteral("Edge"))), QStringLiteral("True"));
        QCOMPARE(Host.Grid()->CellText(Host.RowOf(QStringLiteral("BoxAlign"))), QStringLiteral("taCenter"));
        QCOMPARE(Host.Grid()->CellText(Host.RowOf(QStringLiteral("SourceFileName"))),
                 QStringLiteral("/data/Films/movie.sub"));
        QCOMPARE(Host.RowOf(QStringLiteral("_ImmutableSubtitleItems")), 0);
        // The first row is current, so its description is shown.
        QCOMPARE(Host.Grid()->CurrentRow(), 1);
        QVERIFY(Host.Memo()->toPlainText().startsWith(
            Item->GetPropertyAttribute(Host.Grid()->KeyText(1))->Description));
    }

    void clashingIndexes_keepNameOrderForTheLosers()
    {
        QTemporaryDir Directory;
        const QString FileName = Directory.filePath(QStringLiteral("TypeAttributes.xml"));
        QFile File(FileName);
        QVERIFY(File.open(QIODevice::WriteOnly));
        File.write(R"(<a><t Name="TDocumentItem">
            <p Name="FontSize" Index="1"/><p Name="Edge" Index="1"/>
            <p Name="VideoWidth" Index="99"/><p Name="BoxWidth" Index="3"/>
          </t></a>)");
        File.close();
        TAttributedObservableObject::SetAttributeFileName(FileName);

        THost Host;
        TDocumentItem Item;
        Host.Frame->AddObject(&Item, true);
        // Edge comes before FontSize by name and keeps row 1; row 99 does not exist.
        QStringList Expected = DocumentPropertiesByName;
        Expected.removeOne(QStringLiteral("Edge"));
        Expected.removeOne(QStringLiteral("BoxWidth"));
        Expected.insert(0, QStringLiteral("Edge"));
        Expected.insert(2, QStringLiteral("BoxWidth"));
        QStringList Shown;
        for (int Row = 1; Row <= Host.Grid()->PropertyRowCount(); ++Row)
            Shown << Host.Grid()->KeyText(Row);
        QCOMPARE(Shown, Expected);
    }

    void severalItems_showTheirCountAndEmptyDisagreeingValues_data()
    {
        QTest::addColumn<int>("Count");
        QTest::newRow("two") << 2;
        QTest::newRow("three") << 3;
    }

    void severalItems_showTheirCountAndEmptyDisagreeingValues()
    {
        QFETCH(int, Count);
        THost Host;
        std::vector<std::unique_ptr<TDocumentItem>> Items;
        for (int Index = 0; Index < Count; ++Index) {
            Items.push_back(MakeDocument(QStringLiteral("/data/%1.txt").arg(Index)));
            Items.back()->SetFontSize(10 + Index);
            Host.Frame->AddObject(Items.back().get(), false);
        }
        Host.Frame->RefreshProperties();
        QCOMPARE(Host.Caption(), QString::number(Count) + QStringLiteral(" darab objektum"));
        QCOMPARE(Host.Grid()->CellText(Host.RowOf(QStringLiteral("FontSize"))), QString());
        QCOMPARE(Host.Grid()->CellText(Host.RowOf(QStringLiteral("SourceFileName"))), QString());
        QCOMPARE(Host.Grid()->CellText(Host.RowOf(QStringLiteral("VideoWidth"))), QStringLiteral("1920"));

        QVERIFY(ShowActive(Host));
        QWidget* Editor = Host.ClickValue(QStringLiteral("FontSize"));
        QVERIFY(qobject_cast<TPickListEdit*>(Editor));
        QTest::keyClicks(Editor, QStringLiteral("20"));
        QTest::keyClick(Editor, Qt::Key_Return);
        for (const auto& Item : Items)
            QCOMPARE(Item->FontSize(), 20);
        QCOMPARE(Host.Grid()->CellText(Host.RowOf(QStringLiteral("FontSize"))), QStringLiteral("20"));
    }

    void objectsSharingTheirLowAddressBits_areBothEdited()
    {
        TTwinAddresses<TDocumentItem> Twins;
        if (!Twins.Valid())
            QSKIP("no pair of fixed addresses could be mapped");
        THost Host;
        Host.Frame->AddObject(Twins.First(), false);
        Host.Frame->AddObject(Twins.Second(), true);
        QCOMPARE(Host.Caption(), QStringLiteral("2 darab objektum"));
        const int Row = Host.RowOf(QStringLiteral("FontSize"));
        Host.Frame->vlObjectInspectorValidate(1, Row, QStringLiteral("FontSize"), QStringLiteral("20"));
        QCOMPARE(Twins.First()->FontSize(), 20);
        QCOMPARE(Twins.Second()->FontSize(), 20);
    }

    void cells_areDrawnInTheGridColours()
    {
        THost Host;
        auto First = MakeDocument(QStringLiteral("/data/a.txt"));
        auto Second = MakeDocument(QStringLiteral("/data/b.txt"));
        First->SetFontColor(0x102030);
        Second->SetFontColor(0x102030);
        First->SetEdgeColor(255);
        Second->SetEdgeColor(0);
        First->SetVideoWidth(1280);
        Second->SetVideoWidth(1280);
        Host.Frame->AddObject(First.get(), false);
        Host.Frame->AddObject(Second.get(), true);
        QVERIFY(ShowActive(Host));
        Host.Other->setFocus();
        QTRY_VERIFY(!Host.Grid()->Editor());
        Host.Grid()->SetCurrentRow(Host.RowOf(QStringLiteral("FontSize")));
        const QImage Image = Host.Grid()->viewport()->grab().toImage();
        const QRgb Fixed = Palette::InspectorFixed.Color().rgb();
        const QRgb Maroon = Palette::InspectorText.Color().rgb();
        const QRgb Face = Host.Grid()->palette().color(QPalette::Base).rgb();

        // Key column: fixed colour, the maroon gutter line, the marker on the current row only.
        for (const QString& Name : {QStringLiteral("FontSize"), QStringLiteral("VideoHeight")}) {
            const QRect Key = Host.CellRect(Host.RowOf(Name), 0);
            QCOMPARE(Image.pixel(Key.left() + 1, Key.center().y()), Fixed);
            QCOMPARE(Image.pixel(Key.left() + 15, Key.top()), Maroon);
            QCOMPARE(Image.pixel(Key.left() + 15, Key.bottom()), Maroon);
            const QRect Marker(Key.left() + 4, Key.top() + 6, 8, Key.height() - 12);
            QCOMPARE(CountPixels(Image, Marker, Reddish) > 0, Name == QLatin1String("FontSize"));
        }

        // A colour both objects share is a swatch outlined in black, with no text.
        const QRect FontColor = Host.CellRect(Host.RowOf(QStringLiteral("FontColor")), 1);
        QCOMPARE(Image.pixel(FontColor.left() + 27, FontColor.center().y()), QColorOf(0x102030).rgb());
        QCOMPARE(Image.pixel(FontColor.left() + 5, FontColor.center().y()), QColor(Qt::black).rgb());
        QCOMPARE(Image.pixel(FontColor.left() + 49, FontColor.center().y()), QColor(Qt::black).rgb());
        QCOMPARE(Image.pixel(FontColor.left() + 27, FontColor.top() + 2), QColor(Qt::black).rgb());
        QCOMPARE(Image.pixel(FontColor.left() + 27, FontColor.top() + 1), Face);
        QCOMPARE(Image.pixel(FontColor.left() + 60, FontColor.center().y()), Face);
        // A colour they disagree on shows nothing at all.
        const QRect EdgeColor = Host.CellRect(Host.RowOf(QStringLiteral("EdgeColor")), 1);
        QCOMPARE(RightmostInk(Image, EdgeColor.adjusted(0, 0, -1, 0), Face), -1);

        // A value equal to its default is regular maroon, any other bold navy.
        QFont Regular = TInterfaceFont::Font(11);
        QFont Bold = Regular;
        Bold.setBold(true);
        struct TExpectation
        {
            QString Name;
            QString Text;
            bool Changed;
        };
        for (const TExpectation& Expectation : {TExpectation{QStringLiteral("VideoHeight"), QStringLiteral("1080"), false},
                                                TExpectation{QStringLiteral("VideoWidth"), QStringLiteral("1280"), true}}) {
            const QRect Value = Host.CellRect(Host.RowOf(Expectation.Name), 1).adjusted(0, 0, -2, 0);
            QCOMPARE(CountPixels(Image, Value, Bluish) > 0, Expectation.Changed);
            QCOMPARE(CountPixels(Image, Value, Reddish) > 0, !Expectation.Changed);
            const int Advance = QFontMetrics(Expectation.Changed ? Bold : Regular).horizontalAdvance(Expectation.Text);
            QVERIFY(qAbs(RightmostInk(Image, Value, Face) - (Value.left() + 5 + Advance)) <= 2);
        }

        // The title row, in the fixed colour with the gutter line.
        const QImage Title = Host.Grid()->horizontalHeader()->grab().toImage();
        QCOMPARE(Title.pixel(2, Title.height() / 2), Fixed);
        QCOMPARE(Title.pixel(15, 1), Maroon);
        QCOMPARE(Title.pixel(Host.Grid()->columnWidth(0) + 80, 1), Fixed);
        QVERIFY(CountPixels(Title, QRect(20, 0, 100, Title.height()), Reddish) > 0);
    }

    void rejectedValue_isExplainedOnceAndRestored_data()
    {
        QTest::addColumn<QString>("Leave");
        QTest::newRow("Enter") << QStringLiteral("Enter");
        QTest::newRow("another row") << QStringLiteral("Row");
        QTest::newRow("Tab") << QStringLiteral("Tab");
        QTest::newRow("another widget") << QStringLiteral("Widget");
    }

    void rejectedValue_isExplainedOnceAndRestored()
    {
        QFETCH(QString, Leave);
        THost Host;
        auto First = MakeDocument(QStringLiteral("/data/a.txt"));
        auto Second = MakeDocument(QStringLiteral("/data/b.txt"));
        TChangeCounter Changes;
        Changes.Watch(*First);
        Changes.Watch(*Second);
        Host.Frame->AddObject(First.get(), false);
        Host.Frame->AddObject(Second.get(), true);
        QVERIFY(ShowActive(Host));
        TModalAnswerer Answerer;

        QWidget* Editor = Host.ClickValue(QStringLiteral("FontSize"));
        QVERIFY(Editor);
        QTest::keyClicks(Editor, QStringLiteral("abc"));
        if (Leave == QLatin1String("Enter"))
            QTest::keyClick(Editor, Qt::Key_Return);
        else if (Leave == QLatin1String("Row"))
            Host.ClickValue(QStringLiteral("VideoWidth"));
        else if (Leave == QLatin1String("Tab"))
            QTest::keyClick(Editor, Qt::Key_Tab);
        else
            QTest::mouseClick(Host.Other, Qt::LeftButton);
        // Any focus going back and forth after the box has had its chance.
        QTest::qWait(100);

        QCOMPARE(Answerer.MessageTexts(),
                 QStringList{QStringLiteral("这 FontSize'值是无效的。\n\n''abc'' is not a valid integer value")});
        QCOMPARE(Changes.Names, QStringList());
        QCOMPARE(First->FontSize(), 48);
        QCOMPARE(Second->FontSize(), 48);
        const int Row = Host.RowOf(QStringLiteral("FontSize"));
        QCOMPARE(Host.Grid()->CellText(Row), QStringLiteral("48"));
        if (Leave == QLatin1String("Enter"))
            QCOMPARE(Host.Grid()->CurrentText(), QStringLiteral("48"));
    }

    void rejection_byOneObjectWritesNone()
    {
        THost Host;
        TSubtitleItem Narrow;
        TSubtitleItem Wide;
        Narrow.SetVideoWidth(720);
        Narrow.SetBoxWidth(600);
        Wide.SetVideoWidth(720);
        Wide.SetBoxWidth(700);
        Host.Frame->AddObject(&Narrow, false);
        Host.Frame->AddObject(&Wide, true);
        QVERIFY(ShowActive(Host));
        TModalAnswerer Answerer;

        // Validate runs before the conversion: the item's own rule judges the letters.
        QWidget* Editor = Host.ClickValue(QStringLiteral("VideoWidth"));
        QVERIFY(Editor);
        QTest::keyClicks(Editor, QStringLiteral("abc"));
        QTest::keyClick(Editor, Qt::Key_Return);
        QCOMPARE(Answerer.MessageTexts(),
                 QStringList{QStringLiteral("这 VideoWidth'值是无效的。\n\n"
                                            "The BoxWidth property's value must be less than the VideoWidth property's value.")});

        QTest::keyClicks(Editor, QStringLiteral("650"));
        QTest::keyClick(Editor, Qt::Key_Return);
        QTRY_COMPARE(Answerer.MessageTexts().size(), 2);
        QCOMPARE(Narrow.VideoWidth(), 720);
        QCOMPARE(Wide.VideoWidth(), 720);
        QCOMPARE(Host.Grid()->CurrentText(), QStringLiteral("720"));
    }

    void pickList_writesTheChosenEnumerationName()
    {
        THost Host;
        auto Item = MakeDocument(QStringLiteral("/data/a.txt"));
        Item->SetEdge(false);
        Host.Frame->AddObject(Item.get(), true);
        QVERIFY(ShowActive(Host));

        auto* Combo = qobject_cast<TPickListEdit*>(Host.ClickValue(QStringLiteral("Edge")));
        QVERIFY(Combo);
        QStringList Items;
        for (int Index = 0; Index < Combo->count(); ++Index)
            Items << Combo->itemText(Index);
        QCOMPARE(Items, (QStringList{QStringLiteral("False"), QStringLiteral("True")}));
        QTest::keyClick(Combo, Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(Combo->view()->isVisible());
        QTest::keyClick(Combo->view(), Qt::Key_Down);
        QTest::keyClick(Combo->view(), Qt::Key_Return);
        QTRY_VERIFY(!Combo->view()->isVisible());
        QCOMPARE(Combo->Text(), QStringLiteral("True"));
        QVERIFY(!Item->Edge());
        QTest::keyClick(Combo, Qt::Key_Return);
        QVERIFY(Item->Edge());
    }

    void editors_followThePropertyType_data()
    {
        QTest::addColumn<QString>("Name");
        QTest::addColumn<QString>("Editor");
        QTest::addColumn<QString>("FirstItem");
        QTest::newRow("password") << QStringLiteral("SourceFilePassword") << QStringLiteral("plain") << QString();
        QTest::newRow("integer") << QStringLiteral("VideoHeight") << QStringLiteral("plain") << QString();
        QTest::newRow("colour") << QStringLiteral("EdgeColor") << QStringLiteral("ellipsis") << QString();
        QTest::newRow("file") << QStringLiteral("SourceFileName") << QStringLiteral("ellipsis") << QString();
        QTest::newRow("directory") << QStringLiteral("SubtitleDirectory") << QStringLiteral("ellipsis") << QString();
        QTest::newRow("font size") << QStringLiteral("FontSize") << QStringLiteral("pick") << QStringLiteral("8");
        QTest::newRow("alignment") << QStringLiteral("BoxAlignText") << QStringLiteral("pick")
                                   << QStringLiteral("taLeftJustify");
    }

    void editors_followThePropertyType()
    {
        QFETCH(QString, Name);
        QFETCH(QString, Editor);
        QFETCH(QString, FirstItem);
        THost Host;
        auto Item = MakeDocument(QStringLiteral("/data/a.txt"));
        Host.Frame->AddObject(Item.get(), true);
        QVERIFY(ShowActive(Host));
        QWidget* Opened = Host.ClickValue(Name);
        QVERIFY(Opened);
        QCOMPARE(QApplication::focusWidget(), Opened);
        if (Editor == QLatin1String("pick")) {
            auto* Combo = qobject_cast<TPickListEdit*>(Opened);
            QVERIFY(Combo);
            QCOMPARE(Combo->itemText(0), FirstItem);
        } else if (Editor == QLatin1String("ellipsis")) {
            QVERIFY(qobject_cast<TEllipsisEdit*>(Opened));
        } else {
            auto* Line = qobject_cast<QLineEdit*>(Opened);
            QVERIFY(Line && !qobject_cast<TEllipsisEdit*>(Opened));
            QCOMPARE(Line->echoMode(), QLineEdit::Normal);
        }
    }

    void typedText_isWrittenAndKeptAsTyped_data()
    {
        QTest::addColumn<QString>("Name");
        QTest::addColumn<QString>("Typed");
        QTest::addColumn<QString>("Stored");
        QTest::newRow("password") << QStringLiteral("SourceFilePassword") << QStringLiteral("geheim 1")
                                  << QStringLiteral("geheim 1");
        QTest::newRow("leading zero") << QStringLiteral("FontSize") << QStringLiteral("048") << QStringLiteral("48");
        QTest::newRow("typed colour") << QStringLiteral("FontColor") << QStringLiteral("255") << QStringLiteral("255");
    }

    void typedText_isWrittenAndKeptAsTyped()
    {
        QFETCH(QString, Name);
        QFETCH(QString, Typed);
        QFETCH(QString, Stored);
        THost Host;
        auto Item = MakeDocument(QStringLiteral("/data/a.txt"));
        Item->SetFontSize(12);
        TChangeCounter Changes;
        Changes.Watch(*Item);
        Host.Frame->AddObject(Item.get(), true);
        QVERIFY(ShowActive(Host));
        TModalAnswerer Answerer;

        QWidget* Editor = Host.ClickValue(Name);
        QVERIFY(Editor);
        QTest::keyClicks(Editor, Typed);
        QTest::keyClick(Editor, Qt::Key_Return);
        QCOMPARE(Changes.Names, QStringList{Name});
        QCOMPARE(Item->ClassType().FindProperty(Name)->ReadText(*Item), Stored);
        const int Row = Host.RowOf(Name);
        QCOMPARE(Host.Grid()->CellText(Row), Typed);

        // Leaving the accepted cell offers nothing again; a refresh shows the stored text.
        Host.ClickValue(QStringLiteral("VideoHeight"));
        QCOMPARE(Changes.Names.size(), 1);
        QCOMPARE(Answerer.Answered(), 0);
        Host.Frame->RefreshProperties();
        QCOMPARE(Host.Grid()->CellText(Host.RowOf(Name)), Stored);
    }

    void untouchedCell_writesNothing()
    {
        THost Host;
        auto Item = MakeDocument(QStringLiteral("/data/a.txt"));
        TChangeCounter Changes;
        Changes.Watch(*Item);
        int Validations = 0;
        Host.Frame->SetOnValidate([&](int, int, const QString&, const QString&) { ++Validations; });
        Host.Frame->AddObject(Item.get(), true);
        QVERIFY(ShowActive(Host));

        QWidget* Editor = Host.ClickValue(QStringLiteral("FontSize"));
        QVERIFY(Editor);
        QTest::keyClick(Editor, Qt::Key_Return);
        Editor = Host.ClickValue(QStringLiteral("VideoWidth"));
        QTest::keyClick(Editor, Qt::Key_Down);
        QTest::keyClick(Host.Grid()->Editor(), Qt::Key_Tab);
        QTest::mouseClick(Host.Other, Qt::LeftButton);
        QCOMPARE(Validations, 0);
        QCOMPARE(Changes.Names, QStringList());

        // Escape drops what was typed.
        Editor = Host.ClickValue(QStringLiteral("VideoWidth"));
        QTest::keyClicks(Editor, QStringLiteral("99"));
        QTest::keyClick(Editor, Qt::Key_Escape);
        QCOMPARE(Host.Grid()->CurrentText(), QStringLiteral("1920"));
        QTest::mouseClick(Host.Other, Qt::LeftButton);
        QCOMPARE(Validations, 0);
    }

    void description_showsTheDefaultLine_data()
    {
        QTest::addColumn<QString>("Name");
        QTest::addColumn<QString>("Default");
        QTest::newRow("with default") << QStringLiteral("FontSize") << QStringLiteral("48");
        QTest::newRow("empty default") << QStringLiteral("SourceFileName") << QString();
    }

    void description_showsTheDefaultLine()
    {
        QFETCH(QString, Name);
        QFETCH(QString, Default);
        THost Host;
        auto Item = MakeDocument(QStringLiteral("/data/a.txt"));
        Host.Frame->AddObject(Item.get(), true);
        QVERIFY(ShowActive(Host));
        Host.ClickValue(QStringLiteral("VideoWidth"));
        Host.ClickValue(Name);
        const QString Description = Item->GetPropertyAttribute(Name)->Description;
        QVERIFY(!Description.isEmpty());
        QCOMPARE(Host.Memo()->toPlainText(), Description + QStringLiteral(" [默认值: ") + Default + QLatin1Char(']'));
    }

    void colourDialog_writesTheChosenColour()
    {
        THost Host;
        auto Item = MakeDocument(QStringLiteral("/data/a.txt"));
        Item->SetFontColor(0x00FF00);
        Host.Frame->AddObject(Item.get(), true);
        QVERIFY(ShowActive(Host));
        QColor Initial;
        TModalAnswerer Answerer([&](QWidget* Dialog) {
            auto* Colours = qobject_cast<QColorDialog*>(Dialog);
            if (!Colours)
                return TModalAnswerer::CloseDefault(Dialog);
            Initial = Colours->currentColor();
            Colours->setCurrentColor(QColor(10, 20, 30));
            Colours->accept();
        });

        auto* Editor = qobject_cast<TEllipsisEdit*>(Host.ClickValue(QStringLiteral("FontColor")));
        QVERIFY(Editor);
        QTest::mouseClick(Editor->Button(), Qt::LeftButton);
        QTRY_COMPARE(Answerer.Answered(), 1);
        QCOMPARE(Initial, QColor(0, 255, 0));
        QCOMPARE(Item->FontColor(), 10 | 20 << 8 | 30 << 16);
        QCOMPARE(Host.Grid()->CurrentText(), QString::number(10 | 20 << 8 | 30 << 16));
        // The cell keeps the window's focus for when the window is active again.
        QCOMPARE(Host.focusWidget(), Editor);
    }

    void folderPicker_startsInTheCellsFolder_data()
    {
        QTest::addColumn<bool>("Exists");
        QTest::newRow("existing folder") << true;
        QTest::newRow("missing folder") << false;
    }

    void folderPicker_startsInTheCellsFolder()
    {
        QFETCH(bool, Exists);
        QTemporaryDir Start;
        QTemporaryDir Target;
        const QString StartPath = Exists ? Start.path() : Start.filePath(QStringLiteral("missing"));
        THost Host;
        auto Item = MakeDocument(QStringLiteral("/data/a.txt"));
        Item->SetSubtitleDirectory(StartPath);
        Host.Frame->AddObject(Item.get(), true);
        QVERIFY(ShowActive(Host));
        QString Caption;
        QString Opened;
        TModalAnswerer Answerer([&](QWidget* Dialog) {
            auto* Files = qobject_cast<QFileDialog*>(Dialog);
            if (!Files)
                return TModalAnswerer::CloseDefault(Dialog);
            Caption = Files->windowTitle();
            Opened = Files->directory().absolutePath();
            Files->setDirectory(Target.path());
            // Accepting checks the choice and may open a box of its own; that box
            // needs this answerer's next round.
            QTimer::singleShot(0, Files, [Files] { static_cast<QDialog*>(Files)->accept(); });
        });

        auto* Editor = qobject_cast<TEllipsisEdit*>(Host.ClickValue(QStringLiteral("SubtitleDirectory")));
        QVERIFY(Editor);
        QTest::mouseClick(Editor->Button(), Qt::LeftButton);
        QTRY_COMPARE(Answerer.Answered(), 1);
        QCOMPARE(Caption, QStringLiteral("选择目录"));
        QCOMPARE(Opened == QDir(StartPath).absolutePath(), Exists);
        QCOMPARE(QDir(Item->SubtitleDirectory()), QDir(Target.path()));
    }

    void fileDialog_writesTheChosenFile()
    {
        QTemporaryDir Folder;
        const QString Current = Folder.filePath(QStringLiteral("first.txt"));
        const QString Chosen = Folder.filePath(QStringLiteral("lines.txt"));
        for (const QString& Name : {Current, Chosen}) {
            QFile File(Name);
            QVERIFY(File.open(QIODevice::WriteOnly));
        }
        THost Host;
        auto Item = MakeDocument(Current);
        Host.Frame->AddObject(Item.get(), true);
        QVERIFY(ShowActive(Host));
        QStringList Filters;
        QString Opened;
        TModalAnswerer Answerer([&](QWidget* Dialog) {
            auto* Files = qobject_cast<QFileDialog*>(Dialog);
            if (!Files)
                return TModalAnswerer::CloseDefault(Dialog);
            Filters = Files->nameFilters();
            Opened = Files->selectedFiles().value(0);
            // A click on the chosen file once the folder is listed, as a user would.
            auto* List = Files->findChild<QAbstractItemView*>(QStringLiteral("listView"));
            const auto Listed = [List] { return List && List->model()->rowCount(List->rootIndex()) == 2; };
            if (!QTest::qWaitFor(Listed))
                return static_cast<void>(Files->reject());
            for (int Row = 0; Row < 2; ++Row) {
                const QModelIndex File = List->model()->index(Row, 0, List->rootIndex());
                if (File.data().toString() == QLatin1String("lines.txt"))
                    QTest::mouseClick(List->viewport(), Qt::LeftButton, {}, List->visualRect(File).center());
            }
            // A choice the dialog would refuse opens a box of its own; it is closed instead.
            if (Files->selectedFiles() == QStringList{Chosen})
                static_cast<QDialog*>(Files)->accept();
            else
                Files->reject();
        });

        auto* Editor = qobject_cast<TEllipsisEdit*>(Host.ClickValue(QStringLiteral("SourceFileName")));
        QVERIFY(Editor);
        QTest::keyClick(Editor, Qt::Key_Return, Qt::ControlModifier);
        QTRY_COMPARE(Item->SourceFileName(), Chosen);
        QCOMPARE(Answerer.Answered(), 1);
        QCOMPARE(Opened, Current);
        QCOMPARE(Filters.value(0), QStringLiteral("All 支持的格式 (*.docx *.doc *.xlsx *.xls *.sub *.txt)"));
        QCOMPARE(Filters.value(5), QStringLiteral("所以文件 (*)"));
    }

    void pageHandlers_runTheirFollowingStepsOnlyAfterAcceptance()
    {
        THost Host;
        auto Item = MakeDocument(QStringLiteral("/data/a.txt"));
        Host.Frame->AddObject(Item.get(), true);
        int Refreshes = 0;
        Host.Frame->SetOnValidate([&](int ACol, int ARow, const QString& KeyName, const QString& KeyValue) {
            Host.Frame->vlObjectInspectorValidate(ACol, ARow, KeyName, KeyValue);
            ++Refreshes;
        });
        QVERIFY(ShowActive(Host));
        TModalAnswerer Answerer;

        QWidget* Editor = Host.ClickValue(QStringLiteral("LineMaximum"));
        QVERIFY(Editor);
        QTest::keyClicks(Editor, QStringLiteral("0"));
        QTest::keyClick(Editor, Qt::Key_Return);
        QCOMPARE(Answerer.MessageTexts(),
                 QStringList{QStringLiteral("这 LineMaximum'值是无效的。\n\nThe LineMaximum's value must be greater than 0.")});
        QCOMPARE(Refreshes, 0);
        QCOMPARE(Item->LineMaximum(), 2);

        QTest::keyClicks(Editor, QStringLiteral("3"));
        QTest::keyClick(Editor, Qt::Key_Return);
        QCOMPARE(Refreshes, 1);
        QCOMPARE(Item->LineMaximum(), 3);
        QCOMPARE(Answerer.Answered(), 1);
    }
};

QTEST_MAIN(TestObjectInspector)
#include "tst_objectinspector.moc"
