#include "components/Transition.h"

#include "GradientCheck.h"

#include <QEvent>
#include <QImage>
#include <QTest>

#include <functional>

Q_DECLARE_METATYPE(TTransitionMode)
Q_DECLARE_METATYPE(TTransitionShape)

namespace {

const QColor Frame(156, 156, 142);   // 9346204
const QColor Base(125, 125, 113);    // 7437693

// The colour at Position along the gradient axis of Length pixels: one run in tmNormal;
// in tmReflect a run Begin->End up to Length div 2 and a run End->Begin after it.
QColor Expected(const QColor& Begin, const QColor& End, TTransitionMode Mode, int Position, int Length)
{
    if (Mode == tmNormal)
        return Interpolated(Begin, End, Position, Length);
    const int Split = Length / 2;
    if (Position < Split)
        return Interpolated(Begin, End, Position, Split);
    return Interpolated(End, Begin, Position - Split, Length - Split);
}

class TPressCounter : public QObject
{
public:
    int Presses = 0;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Event->type() == QEvent::MouseButtonPress)
            ++Presses;
        return QObject::eventFilter(Watched, Event);
    }
};

} // namespace

class TTransitionTest : public QObject
{
    Q_OBJECT

private slots:
    void gradient_data();
    void gradient();
    void outline_data();
    void outline();
    void sameValueDoesNotRepaint();
};

void TTransitionTest::gradient_data()
{
    QTest::addColumn<bool>("Vertical");
    QTest::addColumn<TTransitionMode>("Mode");
    QTest::addColumn<QSize>("Size");
    QTest::addColumn<QColor>("Begin");
    QTest::addColumn<QColor>("End");

    QTest::newRow("vertical, 50 px high") << true << tmNormal << QSize(20, 50) << Frame << Base;
    QTest::newRow("vertical reflect, 5 px high") << true << tmReflect << QSize(20, 5) << Frame << Base;
    QTest::newRow("horizontal, steep") << false << tmNormal << QSize(64, 6) << QColor(0, 128, 255) << QColor(255, 0, 64);
    // The split falls at 4: the left half is 4 px wide, the right half 5 px.
    QTest::newRow("horizontal reflect, odd width") << false << tmReflect << QSize(9, 4) << QColor(0, 0, 0) << QColor(240, 120, 60);
    QTest::newRow("default colours are the button face") << true << tmNormal << QSize(10, 10) << QColor() << QColor();
}

void TTransitionTest::gradient()
{
    QFETCH(bool, Vertical);
    QFETCH(TTransitionMode, Mode);
    QFETCH(QSize, Size);
    QFETCH(QColor, Begin);
    QFETCH(QColor, End);

    TTransition Transition;
    Transition.resize(Size);
    Transition.SetVertical(Vertical);
    Transition.SetTransitionMode(Mode);
    Transition.SetBeginColor(Begin);
    Transition.SetEndColor(End);
    const QImage Image = Transition.grab().toImage();
    QCOMPARE(Image.size(), Size);

    const QColor ResolvedBegin = Begin.isValid() ? Begin : Transition.palette().color(QPalette::Button);
    const QColor ResolvedEnd = End.isValid() ? End : Transition.palette().color(QPalette::Button);
    const int Length = Vertical ? Size.height() : Size.width();
    for (int Y = 0; Y < Size.height(); ++Y)
        for (int X = 0; X < Size.width(); ++X)
        {
            const int Position = Vertical ? Y : X;
            const QColor Wanted = Expected(ResolvedBegin, ResolvedEnd, Mode, Position, Length);
            const QColor Actual = Image.pixelColor(X, Y);
            QVERIFY2(Near(Actual, Wanted, 1), qPrintable(QStringLiteral("(%1,%2): %3, expected %4")
                .arg(X).arg(Y).arg(Describe(Actual), Describe(Wanted))));
        }
    // The first row (column) is exactly the begin colour.
    QCOMPARE(Image.pixelColor(0, 0), ResolvedBegin);
}

void TTransitionTest::outline_data()
{
    QTest::addColumn<TTransitionShape>("Shape");
    QTest::addColumn<QPoint>("Point");
    QTest::addColumn<bool>("Inside");

    // The panel is 120 x 80 when clicked. QTest takes (0,0) for the window's centre.
    QTest::newRow("rectangle, corner") << shRectangle << QPoint(119, 79) << true;
    QTest::newRow("ellipse, corner") << shEllipse << QPoint(3, 3) << false;
    QTest::newRow("ellipse, right end of the middle row") << shEllipse << QPoint(117, 40) << true;
    QTest::newRow("ellipse, centre") << shEllipse << QPoint(60, 40) << true;
    QTest::newRow("round rectangle, corner") << shRoundRect << QPoint(1, 0) << false;
    QTest::newRow("round rectangle, next to the corner") << shRoundRect << QPoint(6, 0) << true;
    QTest::newRow("round rectangle, far corner") << shRoundRect << QPoint(119, 79) << false;
}

void TTransitionTest::outline()
{
    QFETCH(TTransitionShape, Shape);
    QFETCH(QPoint, Point);
    QFETCH(bool, Inside);

    const QColor Behind(255, 0, 0);
    QWidget Back;
    Back.setAutoFillBackground(true);
    QPalette BackPalette = Back.palette();
    BackPalette.setColor(QPalette::Window, Behind);
    Back.setPalette(BackPalette);
    Back.resize(120, 80);
    auto* Transition = new TTransition(&Back);
    Transition->SetBeginColor(Frame);
    Transition->SetEndColor(Frame);
    // The outline follows a change of shape on a sized panel and every resize after it.
    Transition->setGeometry(0, 0, 60, 40);
    Back.show();
    QVERIFY(QTest::qWaitForWindowExposed(&Back));
    Transition->SetShape(shEllipse);
    Transition->SetShape(Shape);
    Transition->resize(120, 80);

    const QImage Image = Back.grab().toImage();
    QCOMPARE(Image.pixelColor(Point), Inside ? Frame : Behind);

    TPressCounter PanelPresses;
    TPressCounter BackPresses;
    Transition->installEventFilter(&PanelPresses);
    Back.installEventFilter(&BackPresses);
    QTest::mouseClick(Back.windowHandle(), Qt::LeftButton, Qt::NoModifier, Point);
    QCOMPARE(PanelPresses.Presses, Inside ? 1 : 0);
    QCOMPARE(BackPresses.Presses, 1);
}

void TTransitionTest::sameValueDoesNotRepaint()
{
    TTransition Transition;
    Transition.resize(40, 20);
    int Paints = 0;
    connect(&Transition, &TTransition::Painted, this, [&Paints] { ++Paints; });
    Transition.show();
    QVERIFY(QTest::qWaitForWindowExposed(&Transition));
    QTRY_VERIFY(Paints > 0);

    const auto Settle = [] {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    };
    // Runs Change on a settled panel and checks whether the panel paints again.
    const auto ExpectPaint = [&](bool Wanted, const char* What, const std::function<void()>& Change) {
        Settle();
        Paints = 0;
        Change();
        if (Wanted)
        {
            QTRY_VERIFY2(Paints > 0, What);
            return;
        }
        Settle();
        QVERIFY2(Paints == 0, What);
    };

    ExpectPaint(true, "new begin colour", [&] { Transition.SetBeginColor(Frame); });
    ExpectPaint(false, "same begin colour", [&] { Transition.SetBeginColor(Frame); });
    ExpectPaint(false, "same end colour", [&] { Transition.SetEndColor(QColor()); });
    ExpectPaint(false, "same direction", [&] { Transition.SetVertical(false); });
    ExpectPaint(false, "same mode", [&] { Transition.SetTransitionMode(tmNormal); });
    ExpectPaint(false, "same shape", [&] { Transition.SetShape(shRectangle); });
    ExpectPaint(true, "new mode", [&] { Transition.SetTransitionMode(tmReflect); });
}

QTEST_MAIN(TTransitionTest)
#include "tst_transition.moc"
