#include "components/PageControlEx.h"
#include "components/TabBarEx.h"

#include "GradientCheck.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QImage>
#include <QMimeData>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <optional>

namespace {

// The main window's tab colours.
const QColor TabStart(156, 156, 142);         // 9346204
const QColor TabEnd(125, 125, 113);           // 7437693
const QColor SelectedTabStart(146, 146, 131); // 8622738
const QColor SelectedTabEnd(117, 117, 106);   // 6976885
const QColor LightText(227, 227, 225);        // 14803939
constexpr int TabWidth = 125;

// A page control dressed as the main window's, one page per title (the page's object
// name is its title), shown.
class TFixture
{
public:
    explicit TFixture(const QStringList& Titles, int Current = 0)
    {
        for (const QString& Title : Titles)
        {
            auto* Page = new QWidget;
            Page->setObjectName(Title);
            Control.addTab(Page, Title);
        }
        Control.SetTabWidth(TabWidth);
        Control.SetTabStartColor(TabStart);
        Control.SetTabEndColor(TabEnd);
        Control.SetSelectedTabStartColor(SelectedTabStart);
        Control.SetSelectedTabEndColor(SelectedTabEnd);
        QPalette Palette = Control.palette();
        Palette.setColor(QPalette::WindowText, LightText);
        Control.setPalette(Palette);
        Control.setCurrentIndex(Current);
        Control.resize(520, 120);
        Control.show();
    }

    TTabBarEx* Bar() const { return Control.TabBarEx(); }

    QStringList Pages() const
    {
        QStringList Names;
        for (int Index = 0; Index < Control.count(); ++Index)
            Names << Control.widget(Index)->objectName();
        return Names;
    }

    QStringList Captions() const
    {
        QStringList Texts;
        for (int Index = 0; Index < Control.count(); ++Index)
            Texts << Control.tabText(Index);
        return Texts;
    }

    // The middle of tab Index, or of the gap after it for Index -1 - i.
    QPoint Middle(int Index) const
    {
        if (Index < 0)
        {
            const QRect Before = Bar()->TabRect(-1 - Index);
            return QPoint(Before.right() + 2, Before.center().y());
        }
        return Bar()->TabRect(Index).center();
    }

    TPageControlEx Control;
};

// Ink: a pixel that stands out from the gradient, taken at the tab's left edge.
bool IsInk(const QImage& Image, int X, int Y, const QRect& Tab)
{
    const QColor Pixel = Image.pixelColor(X, Y);
    const QColor Ground = Image.pixelColor(Tab.left() + 1, Y);
    return std::abs(Pixel.red() - Ground.red()) + std::abs(Pixel.green() - Ground.green())
        + std::abs(Pixel.blue() - Ground.blue()) > 60;
}

// The leftmost and rightmost columns between From and To (inclusive) with ink in Tab.
std::optional<std::pair<int, int>> InkColumns(const QImage& Image, const QRect& Tab, int From, int To)
{
    std::optional<std::pair<int, int>> Columns;
    for (int X = From; X <= To; ++X)
        for (int Y = Tab.top(); Y <= Tab.bottom(); ++Y)
            if (IsInk(Image, X, Y, Tab))
            {
                if (!Columns)
                    Columns = std::make_pair(X, X);
                Columns->second = X;
                break;
            }
    return Columns;
}

// The number of rows with ink between columns From and To (inclusive) of Tab.
int InkHeight(const QImage& Image, const QRect& Tab, int From, int To)
{
    int Top = Tab.bottom() + 1;
    int Bottom = Tab.top() - 1;
    for (int Y = Tab.top(); Y <= Tab.bottom(); ++Y)
        for (int X = From; X <= To; ++X)
            if (IsInk(Image, X, Y, Tab))
            {
                Top = std::min(Top, Y);
                Bottom = std::max(Bottom, Y);
                break;
            }
    return std::max(0, Bottom - Top + 1);
}

bool IsBlack(const QColor& Color)
{
    return Color.red() == 0 && Color.green() == 0 && Color.blue() == 0;
}

} // namespace

class TPageControlExTest : public QObject
{
    Q_OBJECT

private slots:
    void tabGradients_data();
    void tabGradients();
    void caption_data();
    void caption();
    void pressOnTab_data();
    void pressOnTab();
    void dragStart_data();
    void dragStart();
    void dragAcceptance_data();
    void dragAcceptance();
    void dropMark_data();
    void dropMark();
    void drop_data();
    void drop();
};

void TPageControlExTest::tabGradients_data()
{
    QTest::addColumn<int>("Current");
    QTest::newRow("first tab selected") << 0;
    QTest::newRow("middle tab selected") << 1;
}

void TPageControlExTest::tabGradients()
{
    QFETCH(int, Current);
    TFixture Fixture({"A", "B", "C"}, Current);
    const QImage Image = Fixture.Bar()->grab().toImage();

    for (int Index = 0; Index < 3; ++Index)
    {
        const QRect Tab = Fixture.Bar()->TabRect(Index);
        QCOMPARE(Tab.width(), TabWidth);
        const QColor Start = Index == Current ? SelectedTabStart : TabStart;
        const QColor End = Index == Current ? SelectedTabEnd : TabEnd;
        for (int Y = Tab.top(); Y <= Tab.bottom(); ++Y)
        {
            const QColor Wanted = Interpolated(Start, End, Y - Tab.top(), Tab.height());
            const QColor Actual = Image.pixelColor(Tab.left() + 1, Y);
            QVERIFY2(Near(Actual, Wanted, 1), qPrintable(QStringLiteral("tab %1, row %2: %3, expected %4")
                .arg(Index).arg(Y).arg(Describe(Actual), Describe(Wanted))));
        }
    }
}

void TPageControlExTest::caption_data()
{
    QTest::addColumn<QString>("Caption");
    QTest::addColumn<bool>("ShowClose");
    QTest::addColumn<bool>("Shortened");

    const QString Long = QStringLiteral("A caption far too long for one tab");
    QTest::newRow("short caption") << QStringLiteral("Ab") << false << false;
    QTest::newRow("long caption") << Long << false << true;
    QTest::newRow("long caption beside the close mark") << Long << true << true;
}

void TPageControlExTest::caption()
{
    QFETCH(QString, Caption);
    QFETCH(bool, ShowClose);
    QFETCH(bool, Shortened);
    TFixture Fixture({Caption, "B"}, 1);
    Fixture.Control.SetShowCloseButton(ShowClose);
    const QImage Image = Fixture.Bar()->grab().toImage();
    const QRect Tab = Fixture.Bar()->TabRect(0);

    // The caption may use the tab less 5 px on the left and 15 px on the right.
    const QFontMetrics Metrics(Fixture.Bar()->font());
    const int CaptionLeft = Tab.left() + 5;
    const int CaptionRight = Tab.right() - 15;
    const QString Shown = Metrics.elidedText(Caption, Qt::ElideRight, CaptionRight - CaptionLeft + 1);
    QCOMPARE(Shown != Caption, Shortened);
    const int ShownEnd = CaptionLeft + Metrics.horizontalAdvance(Shown);
    const int LastCharacterStart = ShownEnd - Metrics.horizontalAdvance(Shown.back());

    const auto CaptionInk = InkColumns(Image, Tab, Tab.left(), CaptionRight);
    QVERIFY(CaptionInk);
    QVERIFY2(CaptionInk->first >= CaptionLeft, qPrintable(QString::number(CaptionInk->first)));
    // The ink ends in the last character shown: the ellipsis when shortened.
    QVERIFY2(CaptionInk->second > LastCharacterStart && CaptionInk->second <= ShownEnd,
        qPrintable(QStringLiteral("ink ends at %1, last character %2..%3")
            .arg(CaptionInk->second).arg(LastCharacterStart).arg(ShownEnd)));
    // An ellipsis is three dots on the baseline, far lower than any letter.
    const int LastHeight = InkHeight(Image, Tab, LastCharacterStart, ShownEnd - 1);
    QVERIFY2((LastHeight <= Metrics.xHeight() / 2) == Shortened,
        qPrintable(QStringLiteral("last character %1 px high").arg(LastHeight)));

    const auto Free = InkColumns(Image, Tab, CaptionRight + 1, Tab.right());
    if (!ShowClose)
    {
        QVERIFY(!Free);
        return;
    }
    // "X" stands right-aligned 5 px from the right edge.
    const int MarkWidth = Metrics.horizontalAdvance(QStringLiteral("X"));
    QVERIFY(Free);
    QVERIFY2(Free->first >= Tab.right() - 4 - MarkWidth && Free->second <= Tab.right() - 5,
        qPrintable(QStringLiteral("close mark ink %1..%2").arg(Free->first).arg(Free->second)));
}

void TPageControlExTest::pressOnTab_data()
{
    QTest::addColumn<bool>("ShowClose");
    QTest::addColumn<Qt::MouseButton>("Button");
    QTest::addColumn<int>("Tab");
    QTest::addColumn<bool>("OnCloseMark");
    QTest::addColumn<QStringList>("Remaining");
    QTest::addColumn<QString>("Current");   // empty: whatever Qt selects after a removal

    const QStringList All{"A", "B", "C"};
    QTest::newRow("close mark of an unselected tab") << true << Qt::LeftButton << 2 << true << QStringList{"A", "B"} << QString();
    QTest::newRow("close mark of the selected tab") << true << Qt::LeftButton << 0 << true << QStringList{"B", "C"} << QString();
    QTest::newRow("caption of a tab with a close mark") << true << Qt::LeftButton << 1 << false << All << "B";
    QTest::newRow("right press on a close mark") << true << Qt::RightButton << 1 << true << All << "A";
    QTest::newRow("close marks hidden") << false << Qt::LeftButton << 1 << true << All << "B";
}

void TPageControlExTest::pressOnTab()
{
    QFETCH(bool, ShowClose);
    QFETCH(Qt::MouseButton, Button);
    QFETCH(int, Tab);
    QFETCH(bool, OnCloseMark);
    QFETCH(QStringList, Remaining);
    QFETCH(QString, Current);
    TFixture Fixture({"A", "B", "C"});
    Fixture.Control.SetShowCloseButton(ShowClose);
    Fixture.Control.SetAllowDrag(true);
    QPointer<QWidget> Page = Fixture.Control.widget(Tab);

    // The close box spans the "X" and the 5 px right of it.
    const QRect Rect = Fixture.Bar()->TabRect(Tab);
    const int BoxWidth = QFontMetrics(Fixture.Bar()->font()).horizontalAdvance(QStringLiteral("X")) + 5;
    const QPoint Point = OnCloseMark ? QPoint(Rect.right() + 1 - BoxWidth / 2, Rect.center().y())
                                     : QPoint(Rect.left() + 10, Rect.center().y());
    QTest::mouseClick(Fixture.Bar(), Button, Qt::NoModifier, Point);

    QCOMPARE(Fixture.Pages(), Remaining);
    QCOMPARE(Fixture.Captions(), Remaining);
    QCOMPARE(Page.isNull(), Remaining.size() < 3);
    if (!Current.isEmpty())
        QCOMPARE(Fixture.Control.currentWidget()->objectName(), Current);
}

void TPageControlExTest::dragStart_data()
{
    QTest::addColumn<bool>("AllowDrag");
    QTest::addColumn<Qt::MouseButton>("Button");
    QTest::addColumn<bool>("Started");
    QTest::newRow("left press, dragging allowed") << true << Qt::LeftButton << true;
    QTest::newRow("left press, dragging off") << false << Qt::LeftButton << false;
    QTest::newRow("right press, dragging allowed") << true << Qt::RightButton << false;
}

void TPageControlExTest::dragStart()
{
    QFETCH(bool, AllowDrag);
    QFETCH(Qt::MouseButton, Button);
    QFETCH(bool, Started);
    TFixture Fixture({"A", "B", "C"});
    Fixture.Control.SetAllowDrag(AllowDrag);
    QVERIFY(QTest::qWaitForWindowExposed(&Fixture.Control));
    QWindow* Window = Fixture.Control.windowHandle();
    const QPoint From = Fixture.Bar()->mapTo(&Fixture.Control, Fixture.Middle(0));
    const QPoint To = From + QPoint(QApplication::startDragDistance() + 1, 0);

    // A drag runs its own event loop until the button is released; the release is queued
    // so that it also ends one that started.
    bool Dragging = false;
    bool Released = false;
    QTest::mousePress(Window, Button, Qt::NoModifier, From);
    QTimer::singleShot(0, this, [&] {
        Dragging = Fixture.Bar()->findChild<QDrag*>() != nullptr;
        QTest::mouseRelease(Window, Button, Qt::NoModifier, To);
        Released = true;
    });
    QTest::mouseMove(Window, To);
    QTRY_VERIFY(Released);
    QCOMPARE(Dragging, Started);
    QCOMPARE(Fixture.Pages(), (QStringList{"A", "B", "C"}));
}

void TPageControlExTest::dragAcceptance_data()
{
    QTest::addColumn<QStringList>("Titles");
    QTest::addColumn<bool>("Accepted");
    QTest::newRow("one page") << QStringList{"A"} << false;
    QTest::newRow("two pages") << QStringList{"A", "B"} << true;
}

void TPageControlExTest::dragAcceptance()
{
    QFETCH(QStringList, Titles);
    QFETCH(bool, Accepted);
    TFixture Fixture(Titles);
    QMimeData Data;
    Data.setText(QStringLiteral("any source"));

    QDragEnterEvent Enter(Fixture.Middle(0), Qt::MoveAction, &Data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Fixture.Bar(), &Enter);
    QCOMPARE(Enter.isAccepted(), Accepted);
    QDragMoveEvent Move(Fixture.Middle(Titles.size() - 1), Qt::MoveAction, &Data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Fixture.Bar(), &Move);
    QCOMPARE(Move.isAccepted(), Accepted);
}

void TPageControlExTest::dropMark_data()
{
    QTest::addColumn<int>("Over");     // a tab, or -1 - i for the gap after tab i
    QTest::addColumn<int>("Marked");   // -1: none
    QTest::newRow("over another tab") << 2 << 2;
    QTest::newRow("over the selected tab") << 0 << -1;
    QTest::newRow("between two tabs") << -2 << -1;
}

void TPageControlExTest::dropMark()
{
    QFETCH(int, Over);
    QFETCH(int, Marked);
    TFixture Fixture({"A", "B", "C"});
    QMimeData Data;

    const auto CheckMark = [&](int Wanted) {
        const QImage Image = Fixture.Bar()->grab().toImage();
        for (int Index = 0; Index < 3; ++Index)
        {
            // The mark is the tab's outline, 2 px wide, inside the tab and not filled.
            const QRect Tab = Fixture.Bar()->TabRect(Index);
            const int Y = Tab.center().y();
            const int X = Tab.center().x();
            const bool Mark = Index == Wanted;
            QCOMPARE(IsBlack(Image.pixelColor(Tab.left(), Y)), Mark);
            QCOMPARE(IsBlack(Image.pixelColor(Tab.left() + 1, Y)), Mark);
            QCOMPARE(IsBlack(Image.pixelColor(Tab.right() - 1, Y)), Mark);
            QCOMPARE(IsBlack(Image.pixelColor(X, Tab.top() + 1)), Mark);
            QCOMPARE(IsBlack(Image.pixelColor(X, Tab.bottom())), Mark);
            QVERIFY(!IsBlack(Image.pixelColor(Tab.left() + 2, Y)));
            QVERIFY(!IsBlack(Image.pixelColor(X, Tab.top() + 2)));
        }
    };

    QDragEnterEvent Enter(Fixture.Middle(1), Qt::MoveAction, &Data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Fixture.Bar(), &Enter);
    // A mark left by an earlier position goes when the drag moves on.
    QDragMoveEvent Earlier(Fixture.Middle(1), Qt::MoveAction, &Data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Fixture.Bar(), &Earlier);
    QDragMoveEvent Move(Fixture.Middle(Over), Qt::MoveAction, &Data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Fixture.Bar(), &Move);
    CheckMark(Marked);

    QDragLeaveEvent Leave;
    QCoreApplication::sendEvent(Fixture.Bar(), &Leave);
    CheckMark(-1);
}

void TPageControlExTest::drop_data()
{
    QTest::addColumn<int>("Current");
    QTest::addColumn<int>("Target");   // a tab, or -1 - i for the gap after tab i
    QTest::addColumn<QStringList>("Order");

    QTest::newRow("onto the selected tab") << 1 << 1 << QStringList{"A", "B", "C"};
    QTest::newRow("onto the last tab") << 0 << 2 << QStringList{"B", "C", "A"};
    QTest::newRow("onto the first tab") << 2 << 0 << QStringList{"C", "A", "B"};
    QTest::newRow("onto the next tab") << 0 << 1 << QStringList{"B", "A", "C"};
    QTest::newRow("between two tabs") << 0 << -1 << QStringList{"A", "B", "C"};
}

void TPageControlExTest::drop()
{
    QFETCH(int, Current);
    QFETCH(int, Target);
    QFETCH(QStringList, Order);
    TFixture Fixture({"A", "B", "C"}, Current);
    const QString Moved = Fixture.Control.currentWidget()->objectName();
    QMimeData Data;

    const QPoint Point = Fixture.Middle(Target);
    QDragEnterEvent Enter(Point, Qt::MoveAction, &Data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Fixture.Bar(), &Enter);
    QDropEvent Drop(Point, Qt::MoveAction, &Data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Fixture.Bar(), &Drop);

    QCOMPARE(Fixture.Pages(), Order);
    QCOMPARE(Fixture.Captions(), Order);
    QCOMPARE(Fixture.Control.currentWidget()->objectName(), Moved);
}

QTEST_MAIN(TPageControlExTest)
#include "tst_pagecontrolex.moc"
