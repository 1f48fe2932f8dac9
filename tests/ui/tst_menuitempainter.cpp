#include "ui/InterfaceFont.h"
#include "ui/MenuItemInfo.h"
#include "ui/MenuItemPainter.h"
#include "ui/MenuStyle.h"
#include "ui/Palette.h"

#include <QFontMetrics>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QTest>

namespace {

// Items are drawn below a strip of untouched image, so that a drawing that takes Rect.Top
// for 0 or spills out of Rect shows.
constexpr int ItemTop = 10;
constexpr int ItemWidth = 240;
const QColor Untouched(Qt::black);

// Glyphs without antialiasing carry exactly the pen's colour, so text can be told by colour.
QFont SharpFont()
{
    QFont Font = TInterfaceFont::Font(11);
    Font.setStyleStrategy(QFont::NoAntialias);
    return Font;
}

QIcon RedIcon()
{
    QPixmap Pixmap(16, 16);
    Pixmap.fill(Qt::red);
    return QIcon(Pixmap);
}

QRect ItemRect(bool Separator)
{
    return QRect(0, ItemTop, ItemWidth, TMenuItemPainter::ItemHeight(Separator));
}

QImage Render(const TMenuItemInfo& Item, bool Selected)
{
    const QRect Rect = ItemRect(Item.IsSeparator());
    QImage Image(ItemWidth, Rect.bottom() + 1 + ItemTop, QImage::Format_RGB32);
    Image.fill(Untouched);
    QPainter Painter(&Image);
    Painter.setFont(SharpFont());
    TMenuItemPainter::DrawMenuItem(Painter, Rect, Item, Selected);
    return Image;
}

int CountColour(const QImage& Image, const QRect& Area, const QColor& Colour)
{
    int Count = 0;
    for (int Y = Area.top(); Y <= Area.bottom(); ++Y)
        for (int X = Area.left(); X <= Area.right(); ++X)
            Count += Image.pixelColor(X, Y) == Colour;
    return Count;
}

bool AllOf(const QImage& Image, const QRect& Area, const QColor& Colour)
{
    return CountColour(Image, Area, Colour) == Area.width() * Area.height();
}

// The rightmost column in Area holding a pixel other than Background, or -1.
int RightmostInk(const QImage& Image, const QRect& Area, const QColor& Background)
{
    for (int X = Area.right(); X >= Area.left(); --X)
        for (int Y = Area.top(); Y <= Area.bottom(); ++Y)
            if (Image.pixelColor(X, Y) != Background)
                return X;
    return -1;
}

} // namespace

class TestMenuItemPainter : public QObject
{
    Q_OBJECT

private slots:
    void gutter_data();
    void gutter();
    void texts_data();
    void texts();
    void styledMenu();
};

void TestMenuItemPainter::gutter_data()
{
    QTest::addColumn<bool>("Selected");
    QTest::addColumn<bool>("HasIcon");
    QTest::addColumn<bool>("Separator");
    QTest::addColumn<bool>("Outlined");

    QTest::newRow("item with icon") << false << true << false << true;
    QTest::newRow("item without icon") << false << false << false << false;
    QTest::newRow("selected item with icon") << true << true << false << false;
    QTest::newRow("separator") << false << false << true << false;
}

void TestMenuItemPainter::gutter()
{
    QFETCH(bool, Selected);
    QFETCH(bool, HasIcon);
    QFETCH(bool, Separator);
    QFETCH(bool, Outlined);

    TMenuItemInfo Item;
    Item.Caption = Separator ? QStringLiteral("-") : QStringLiteral("Open");
    if (HasIcon)
        Item.Icon = RedIcon();
    const QImage Image = Render(Item, Selected);
    const QRect Rect = ItemRect(Separator);
    const int Middle = Rect.center().y();
    const int GutterRight = 24;

    QCOMPARE(Rect.height(), Separator ? 15 : 25);
    QVERIFY(AllOf(Image, QRect(0, 0, ItemWidth, ItemTop), Untouched));
    QVERIFY(AllOf(Image, QRect(0, Rect.bottom() + 1, ItemWidth, ItemTop), Untouched));

    // The gutter's edge: outline colour only round an unselected item's image.
    const QColor Edge = Outlined ? Palette::GutterOutline : Palette::Highlight;
    QCOMPARE(Image.pixelColor(Rect.left(), Middle), Edge);
    QCOMPARE(Image.pixelColor(GutterRight, Middle), Edge);
    QCOMPARE(Image.pixelColor(GutterRight / 2, Rect.top()), Edge);
    QCOMPARE(Image.pixelColor(GutterRight / 2, Rect.bottom()), Edge);
    QCOMPARE(Image.pixelColor(GutterRight - 1, Middle), QColor(Palette::Highlight));

    // Between gutter and caption: the highlight covers it when selected.
    const QColor Background = Selected ? Palette::Highlight : Palette::Base;
    QVERIFY(AllOf(Image, QRect(QPoint(25, Rect.top()),
                               QPoint(29, Rect.bottom())), Background));

    if (Separator) {
        const int LineY = Rect.top() + 7;
        QVERIFY(AllOf(Image, QRect(QPoint(30, LineY), QPoint(Rect.right(), LineY)), Palette::Frame));
        QVERIFY(AllOf(Image, QRect(QPoint(30, Rect.top()), QPoint(Rect.right(), LineY - 1)), Background));
        QVERIFY(AllOf(Image, QRect(QPoint(30, LineY + 1), QPoint(Rect.right(), Rect.bottom())), Background));
    }
}

void TestMenuItemPainter::texts_data()
{
    QTest::addColumn<bool>("Enabled");
    QTest::addColumn<QString>("Shortcut");

    QTest::newRow("enabled with shortcut") << true << QStringLiteral("Ctrl+O");
    QTest::newRow("enabled without shortcut") << true << QString();
    QTest::newRow("disabled without shortcut") << false << QString();
    QTest::newRow("disabled with shortcut") << false << QStringLiteral("Ctrl+O");
}

void TestMenuItemPainter::texts()
{
    QFETCH(bool, Enabled);
    QFETCH(QString, Shortcut);

    TMenuItemInfo Item;
    Item.Caption = QStringLiteral("&Open");
    Item.Shortcut = Shortcut;
    Item.Icon = RedIcon();
    Item.Enabled = Enabled;
    const QImage Image = Render(Item, false);
    const QRect Rect = ItemRect(false);
    const QFontMetrics Metrics(SharpFont());
    const int CaptionEnd = 30 + Metrics.horizontalAdvance(QStringLiteral("Open"));

    // Caption: one colour only, and the ampersand is not drawn but underlines the O.
    const QRect CaptionArea(QPoint(30, Rect.top()), QPoint(CaptionEnd + 1, Rect.bottom()));
    const QColor CaptionColour = Enabled ? Palette::LightText : Palette::Frame;
    const QColor OtherColour = Enabled ? Palette::Frame : Palette::LightText;
    QVERIFY(CountColour(Image, CaptionArea, CaptionColour) > 0);
    QCOMPARE(CountColour(Image, CaptionArea, OtherColour), 0);
    QVERIFY(RightmostInk(Image, CaptionArea, Palette::Base) <= CaptionEnd + 1);
    const int Baseline = Rect.top() + (Rect.height() - Metrics.height()) / 2 + Metrics.ascent();
    const int OWidth = Metrics.horizontalAdvance(QLatin1Char('O'));
    bool Underlined = false;
    for (int Y = Baseline + 1; Y <= Rect.bottom(); ++Y)
        Underlined = Underlined || CountColour(Image, QRect(30, Y, OWidth, 1), CaptionColour) >= OWidth - 2;
    QVERIFY(Underlined);

    // Right of the caption: nothing, or the shortcut ending 5 px before the right edge.
    const QRect RightArea(QPoint(CaptionEnd + 2, Rect.top()), QPoint(Rect.right(), Rect.bottom()));
    if (Shortcut.isEmpty()) {
        QVERIFY(AllOf(Image, RightArea, Palette::Base));
    } else {
        const int ShortcutEnd = Rect.right() - 5 - Metrics.rightBearing(Shortcut.back());
        const int Rightmost = RightmostInk(Image, RightArea, Palette::Base);
        QVERIFY2(qAbs(Rightmost - ShortcutEnd) <= 1, qPrintable(QString::number(Rightmost)));
        const int ShortcutStart = Rect.right() - 5 - Metrics.horizontalAdvance(Shortcut);
        const QRect ShortcutArea(QPoint(ShortcutStart - 1, Rect.top()), QPoint(Rect.right(), Rect.bottom()));
        QVERIFY(CountColour(Image, ShortcutArea, Palette::Frame) > 0);
        QCOMPARE(CountColour(Image, ShortcutArea, Palette::LightText), 0);
        QVERIFY(AllOf(Image, QRect(QPoint(CaptionEnd + 2, Rect.top()), QPoint(ShortcutStart - 2, Rect.bottom())),
                      Palette::Base));
    }

    // The image in the gutter: as it is, or greyed.
    const QColor IconCentre = Image.pixelColor(4 + 8, Rect.top() + 4 + 8);
    if (Enabled)
        QCOMPARE(IconCentre, QColor(Qt::red));
    else
        QVERIFY2(IconCentre.hsvSaturation() < 40, qPrintable(IconCentre.name()));
}

void TestMenuItemPainter::styledMenu()
{
    // As on desktops that hide shortcuts in context menus, which to Qt our drop-down menus are.
    QCoreApplication::setAttribute(Qt::AA_DontShowShortcutsInContextMenus);
    QMenu Menu;
    TMenuStyle::Install(&Menu);
    QAction* New = Menu.addAction(RedIcon(), QStringLiteral("New"));
    New->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    QAction* Open = Menu.addAction(QStringLiteral("Open"));
    Open->setEnabled(false);
    QAction* Separator = Menu.addSeparator();
    QAction* Save = Menu.addAction(QStringLiteral("Save as..."));
    QAction* Hidden = Menu.addSeparator();
    Hidden->setVisible(false);
    QAction* Exit = Menu.addAction(QStringLiteral("Exit"));
    QMenu* SubMenu = Menu.addMenu(QStringLiteral("More"));
    Menu.setActiveAction(Save);
    Menu.popup(QPoint(40, 40));
    QVERIFY(QTest::qWaitForWindowExposed(&Menu));

    QCOMPARE(SubMenu->style(), Menu.style());
    const QRect NewRect = Menu.actionGeometry(New);
    QCOMPARE(NewRect.topLeft(), QPoint(1, 1));
    QCOMPARE(NewRect.width(), Menu.width() - 2);
    QCOMPARE(NewRect.height(), 25);
    QCOMPARE(Menu.actionGeometry(Open).height(), 25);
    QCOMPARE(Menu.actionGeometry(Separator).height(), 15);
    QVERIFY(Menu.actionGeometry(Hidden).isEmpty());
    QCOMPARE(Menu.actionGeometry(Exit).top(), Menu.actionGeometry(Save).bottom() + 1);

    const QFontMetrics Metrics(Menu.font());
    const QString Shortcut = New->shortcut().toString(QKeySequence::NativeText);
    QVERIFY(NewRect.width()
            >= 30 + Metrics.horizontalAdvance(QStringLiteral("Save as...")) + Metrics.horizontalAdvance(Shortcut) + 5);

    const QImage Image = Menu.grab().toImage();
    QCOMPARE(Image.pixelColor(0, 0), QColor(Palette::Frame));
    QCOMPARE(Image.pixelColor(Image.width() - 1, Image.height() - 1), QColor(Palette::Frame));
    QCOMPARE(Image.pixelColor(NewRect.left(), NewRect.center().y()), QColor(Palette::GutterOutline));
    QCOMPARE(Image.pixelColor(NewRect.left() + 27, NewRect.top() + 1), QColor(Palette::Base));
    const QRect ShortcutArea(QPoint(NewRect.center().x(), NewRect.top()), NewRect.bottomRight());
    QVERIFY(RightmostInk(Image, ShortcutArea, Palette::Base) > 0);
    const QRect SeparatorRect = Menu.actionGeometry(Separator);
    QCOMPARE(Image.pixelColor(SeparatorRect.left() + 30, SeparatorRect.top() + 7), QColor(Palette::Frame));
    const QRect SaveRect = Menu.actionGeometry(Save);
    QCOMPARE(Image.pixelColor(SaveRect.left() + 27, SaveRect.top() + 1), QColor(Palette::Highlight));
    QCOMPARE(Image.pixelColor(SaveRect.right(), SaveRect.top() + 1), QColor(Palette::Highlight));
    QCOMPARE(Image.pixelColor(Menu.actionGeometry(Exit).left(), Menu.actionGeometry(Exit).center().y()),
             QColor(Palette::Highlight));
}

QTEST_MAIN(TestMenuItemPainter)
#include "tst_menuitempainter.moc"
