#include "ui/Preview.h"

#include "ui/Palette.h"
#include "ui/PreviewImage.h"

#include "model/SubtitleItem.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QTest>
#include <QToolButton>

namespace {

std::unique_ptr<TSubtitleItem> MakeItem(qint32 Width, qint32 Height)
{
    auto Item = std::make_unique<TSubtitleItem>();
    Item->SetFontName(QStringLiteral("Liberation Sans"));
    Item->SetFontSize(36);
    Item->SetFontColor(0x0000FF);
    Item->SetBoxWidth(900);
    Item->SetBoxRelativeY(-40);
    Item->SetVideoWidth(Width);
    Item->SetVideoHeight(Height);
    return Item;
}

QImage Grab(QWidget* Widget)
{
    return Widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRgb Rgb(const TPaletteColor& Color)
{
    return Color.Color().rgb();
}

// The frame sized so that its picture area is 287 x 234: 5 px margins around it, the
// 25 px colour bar above and the 3 px splitter and the 75 px test bar below.
constexpr QSize FrameFor287x234(287 + 10, 25 + 234 + 10 + 3 + 75);

} // namespace

class TestPreview : public QObject
{
    Q_OBJECT

private slots:
    void Components()
    {
        TFrPreview Frame;
        Frame.resize(FrameFor287x234);
        Frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&Frame));

        auto* PnColor = Frame.findChild<QWidget*>(QStringLiteral("pnColor"));
        auto* PnPreview = Frame.findChild<QWidget*>(QStringLiteral("pnPreview"));
        auto* PnTestInput = Frame.findChild<QWidget*>(QStringLiteral("pnTestInput"));
        auto* PnNavigation = Frame.findChild<QWidget*>(QStringLiteral("pnNavigation"));
        auto* SpPreview = Frame.findChild<QSplitter*>(QStringLiteral("spPreview"));
        QVERIFY(PnColor && PnPreview && PnTestInput && PnNavigation && SpPreview);
        QCOMPARE(Frame.findChild<TPreviewImage*>(QStringLiteral("imPreview")), Frame.imPreview());
        QCOMPARE(Frame.findChild<QPlainTextEdit*>(QStringLiteral("meTest")), Frame.meTest());

        QCOMPARE(PnColor->geometry(), QRect(0, 0, Frame.width(), 25));
        const struct { QRadioButton* Button; const char* Name; const char* Caption; int Left; } Buttons[] = {
            {Frame.rbBkgWhite(), "rbBkgWhite", "白色", 7},
            {Frame.rbBkgBlack(), "rbBkgBlack", "黑色", 63},
            {Frame.rbBkgYellow(), "rbBkgYellow", "黄色", 118},
        };
        for (const auto& Expected : Buttons) {
            QCOMPARE(Expected.Button->objectName(), QLatin1String(Expected.Name));
            QCOMPARE(Expected.Button->parentWidget(), PnColor);
            QCOMPARE(Expected.Button->text(), QString::fromUtf8(Expected.Caption));
            QCOMPARE(Expected.Button->geometry(), QRect(Expected.Left, 4, 60, 17));
        }
        QVERIFY(Frame.rbBkgBlack()->isChecked());
        QVERIFY(!Frame.rbBkgWhite()->isChecked() && !Frame.rbBkgYellow()->isChecked());

        QCOMPARE(SpPreview->orientation(), Qt::Vertical);
        QCOMPARE(SpPreview->handleWidth(), 3);
        QCOMPARE(PnTestInput->height(), 75);
        QCOMPARE(Frame.imPreview()->size(), QSize(287, 234));
        QCOMPARE(Frame.imPreview()->geometry().topLeft(), QPoint(5, 5));
        QCOMPARE(PnNavigation->geometry(), QRect(5, 0, 30, 70));
        QCOMPARE(Frame.btUp()->geometry(), QRect(0, 5, 25, 30));
        QCOMPARE(Frame.btDown()->geometry(), QRect(0, 70 - 5 - 30, 25, 30));
        QCOMPARE(Frame.btUp()->toolTip(), QStringLiteral("Előző (CTRL+Up)"));
        QCOMPARE(Frame.btDown()->toolTip(), QStringLiteral("Következő (CTRL+Down)"));
        QCOMPARE(Frame.meTest()->geometry(), QRect(35, 0, Frame.width() - 40, 70));
        QCOMPARE(Frame.meTest()->frameShape(), QFrame::NoFrame);
        QVERIFY(Frame.meTest()->font().bold());
        QCOMPARE(Frame.meTest()->palette().color(QPalette::Text), Palette::InspectorText.Color());

        // Colours as the user sees them.
        const QImage Shown = Grab(&Frame);
        QCOMPARE(Shown.pixel(Frame.width() - 2, 2), Rgb(Palette::PreviewBar));
        QCOMPARE(Shown.pixel(2, 25 + 2), Rgb(Palette::PreviewArea));
        QCOMPARE(Shown.pixel(Frame.width() / 2, 25 + 244 + 1), Rgb(Palette::PreviewSplitter));
        QCOMPARE(Shown.pixel(2, Frame.height() - 2), Rgb(Palette::PreviewArea));
        QCOMPARE(Shown.pixel(Frame.width() - 8, Frame.height() - 8), Rgb(Palette::PreviewMemo));
    }

    // Ctrl alone with an arrow steps through the titles; the memo keeps the key and its
    // caret moves a line.
    void NavigationKeys_data()
    {
        QTest::addColumn<int>("Key");
        QTest::addColumn<int>("Modifiers");
        QTest::addColumn<int>("Ups");
        QTest::addColumn<int>("Downs");
        QTest::addColumn<int>("Line");
        QTest::newRow("Ctrl+Down") << int(Qt::Key_Down) << int(Qt::ControlModifier) << 0 << 1 << 2;
        QTest::newRow("Ctrl+Up") << int(Qt::Key_Up) << int(Qt::ControlModifier) << 1 << 0 << 0;
        QTest::newRow("keypad Ctrl+Down") << int(Qt::Key_Down) << int(Qt::ControlModifier | Qt::KeypadModifier) << 0 << 1 << 2;
        QTest::newRow("Ctrl+Shift+Down") << int(Qt::Key_Down) << int(Qt::ControlModifier | Qt::ShiftModifier) << 0 << 0 << 1;
        QTest::newRow("Ctrl+Alt+Up") << int(Qt::Key_Up) << int(Qt::ControlModifier | Qt::AltModifier) << 0 << 0 << 1;
        QTest::newRow("Down") << int(Qt::Key_Down) << int(Qt::NoModifier) << 0 << 0 << 2;
        QTest::newRow("Ctrl+Right") << int(Qt::Key_Right) << int(Qt::ControlModifier) << 0 << 0 << 1;
    }

    void NavigationKeys()
    {
        QFETCH(int, Key);
        QFETCH(int, Modifiers);
        QFETCH(int, Ups);
        QFETCH(int, Downs);
        QFETCH(int, Line);
        TFrPreview Frame;
        Frame.resize(400, 300);
        Frame.show();
        Frame.meTest()->setPlainText(QStringLiteral("first\nsecond\nthird"));
        QTextCursor Cursor = Frame.meTest()->textCursor();
        Cursor.setPosition(8);
        Frame.meTest()->setTextCursor(Cursor);
        QSignalSpy UpSpy(Frame.btUp(), &QToolButton::clicked);
        QSignalSpy DownSpy(Frame.btDown(), &QToolButton::clicked);
        QSignalSpy FrameDownSpy(&Frame, &TFrPreview::DownClicked);

        QTest::keyClick(Frame.meTest(), Qt::Key(Key), Qt::KeyboardModifiers(Modifiers));
        QCOMPARE(UpSpy.count(), Ups);
        QCOMPARE(DownSpy.count(), Downs);
        QCOMPARE(FrameDownSpy.count(), Downs);
        QCOMPARE(Frame.meTest()->textCursor().blockNumber(), Line);
    }

    void SignalsAndTestText()
    {
        TFrPreview Frame;
        Frame.show();
        QSignalSpy Background(&Frame, &TFrPreview::BackgroundClicked);
        QSignalSpy Changed(&Frame, &TFrPreview::TestTextChanged);
        QTest::mouseClick(Frame.rbBkgWhite(), Qt::LeftButton);
        QTest::mouseClick(Frame.rbBkgYellow(), Qt::LeftButton);
        QCOMPARE(Background.count(), 2);
        QCOMPARE(Frame.Background(), TPreviewBackground::Yellow);

        Frame.meTest()->setFocus();
        QTest::keyClicks(Frame.meTest(), QStringLiteral("ab"));
        QCOMPARE(Changed.count(), 2);
        QCOMPARE(Frame.TestText(), QStringLiteral("ab"));
        const QString Subtitle = QStringLiteral("shown\r\nquietly\u00A0kept");
        Frame.SetTestText(Subtitle);
        QCOMPARE(Changed.count(), 2);
        QCOMPARE(Frame.TestText(), Subtitle);
        Frame.meTest()->moveCursor(QTextCursor::End);
        QTest::keyClick(Frame.meTest(), Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClick(Frame.meTest(), Qt::Key_Return);
        QCOMPARE(Frame.TestText(), Subtitle + QStringLiteral("\r\n\r\n"));

        Frame.SetNavigationVisible(false);
        QVERIFY(Frame.findChild<QWidget*>(QStringLiteral("pnNavigation"))->isHidden());
        Frame.SetTestWordWrap(false);
        QCOMPARE(Frame.meTest()->lineWrapMode(), QPlainTextEdit::NoWrap);
    }

    // The picture area of a 287 x 234 frame shows a 1920 x 1080 item at 287 x 161, 36
    // px down, in the chosen background, the area colour above and below.
    void DrawPreviewShowsFrameScaled_data()
    {
        QTest::addColumn<QString>("Checked");
        QTest::addColumn<QColor>("Background");
        QTest::newRow("white") << QStringLiteral("rbBkgWhite") << QColor(255, 255, 255);
        QTest::newRow("black") << QStringLiteral("rbBkgBlack") << QColor(0, 0, 0);
        QTest::newRow("yellow") << QStringLiteral("rbBkgYellow") << QColor(241, 230, 7);
        QTest::newRow("none checked is yellow") << QString() << QColor(241, 230, 7);
    }

    void DrawPreviewShowsFrameScaled()
    {
        QFETCH(QString, Checked);
        QFETCH(QColor, Background);
        TFrPreview Frame;
        Frame.resize(FrameFor287x234);
        Frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&Frame));
        QCOMPARE(Frame.imPreview()->size(), QSize(287, 234));
        for (QRadioButton* Button : {Frame.rbBkgWhite(), Frame.rbBkgBlack(), Frame.rbBkgYellow()}) {
            Button->setAutoExclusive(false);
            Button->setChecked(Button->objectName() == Checked);
        }
        Frame.SetTestText(QStringLiteral("A subtitle on its frame"));

        const auto Item = MakeItem(1920, 1080);
        Frame.DrawPreview(Item.get());
        QCOMPARE(Frame.imPreview()->Picture().size(), QSize(1920, 1080));
        QCOMPARE(Frame.imPreview()->Picture().pixelColor(0, 0), Background);
        const QRect Shown = TPreviewImage::DisplayRect(QSize(1920, 1080), QSize(287, 234));
        QCOMPARE(Shown, QRect(0, 36, 287, 161));

        const QImage Area = Grab(Frame.imPreview());
        const QRgb Panel = Rgb(Palette::PreviewArea);
        for (int x : {0, 143, 286}) {
            QCOMPARE(Area.pixel(x, Shown.top() - 1), Panel);
            QCOMPARE(Area.pixel(x, Shown.top()), Background.rgb());
            QCOMPARE(Area.pixel(x, Shown.bottom()), Background.rgb());
            QCOMPARE(Area.pixel(x, Shown.bottom() + 1), Panel);
        }
        QCOMPARE(Area.pixel(0, 0), Panel);
        QCOMPARE(Area.pixel(286, 233), Panel);

        // The text shows where the box is, scaled with the picture.
        const TTitlePlacement::TBox Box = Frame.Renderer().TextBox();
        const double Scale = double(Shown.width()) / 1920.0;
        const QRect TextArea(Shown.left() + int(Box.Left * Scale), Shown.top() + int(Box.Top * Scale),
                             int((Box.Right - Box.Left) * Scale), int((Box.Bottom - Box.Top) * Scale));
        bool TextSeen = false;
        for (int y = TextArea.top(); y <= TextArea.bottom() && !TextSeen; ++y)
            for (int x = TextArea.left(); x <= TextArea.right() && !TextSeen; ++x)
                TextSeen = Area.pixel(x, y) != Background.rgb();
        QVERIFY(TextSeen);
    }

    void NoItemLeavesOnlyTheAreaColour()
    {
        TFrPreview Frame;
        Frame.resize(FrameFor287x234);
        Frame.show();
        Frame.SetTestText(QStringLiteral("text"));
        const auto Item = MakeItem(1920, 1080);
        Frame.DrawPreview(Item.get());
        Frame.DrawPreview(nullptr);
        QVERIFY(Frame.imPreview()->Picture().isNull());
        const QImage Area = Grab(Frame.imPreview());
        for (int y = 0; y < Area.height(); ++y)
            for (int x = 0; x < Area.width(); ++x)
                if (Area.pixel(x, y) != Rgb(Palette::PreviewArea))
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
    }

    // The bar names the font asked for and the face that measures instead, whole and
    // clear of the buttons in a frame as wide as the main window gives it; nothing when
    // the font is installed or no item is shown.
    void FontNoticeNamesTheMeasuringFace_data()
    {
        QTest::addColumn<QString>("FontName");
        QTest::addColumn<bool>("Shown");
        QTest::newRow("missing") << QStringLiteral("Nuvex Font That Is Not There") << true;
        QTest::newRow("installed") << QStringLiteral("Noto Sans CJK SC") << false;
        QTest::newRow("installed, other letter case") << QStringLiteral("liberation sans") << false;
        QTest::newRow("no item") << QString() << false;
    }

    void FontNoticeNamesTheMeasuringFace()
    {
        QFETCH(QString, FontName);
        QFETCH(bool, Shown);
        TFrPreview Frame;
        Frame.resize(600, 400);
        Frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&Frame));
        auto* Notice = Frame.findChild<QLabel*>(QStringLiteral("lbFontNotice"));
        QVERIFY(Notice);
        QCOMPARE(Notice->parentWidget(), Frame.findChild<QWidget*>(QStringLiteral("pnColor")));

        // A notice left from the item before must go as well.
        const auto Missing = MakeItem(1920, 1080);
        Missing->SetFontName(QStringLiteral("Another Missing Font"));
        Frame.DrawPreview(Missing.get());
        QVERIFY(Notice->isVisible());
        const auto Item = MakeItem(1920, 1080);
        Item->SetFontName(FontName);
        Frame.DrawPreview(FontName.isEmpty() ? nullptr : Item.get());
        QCOMPARE(Notice->isVisible(), Shown);
        if (!Shown)
            return;

        QVERIFY2(Notice->text().contains(FontName), qPrintable(Notice->text()));
        const QString Substitute = QFontInfo(QFont(FontName)).family();
        QVERIFY2(Notice->text().contains(Substitute), qPrintable(Notice->text()));
        QCOMPARE(Notice->toolTip(), Notice->text());
        QVERIFY(Notice->geometry().left() > Frame.rbBkgYellow()->geometry().right());
        QVERIFY(Notice->geometry().bottom() < 25);
        QVERIFY(QFontMetrics(Notice->font()).horizontalAdvance(Notice->text()) <= Notice->contentsRect().width());

        // A bar too narrow for the notice shows what fits; the tooltip keeps it whole.
        const QString Whole = Notice->text();
        Frame.resize(FrameFor287x234);
        QTRY_VERIFY(Notice->text() != Whole);
        QCOMPARE(Notice->toolTip(), Whole);
        QVERIFY(QFontMetrics(Notice->font()).horizontalAdvance(Notice->text()) <= Notice->contentsRect().width());
    }

    void UnusableFrameSizeShowsNotice_data()
    {
        QTest::addColumn<int>("Width");
        QTest::addColumn<int>("Height");
        QTest::newRow("zero") << 0 << 1080;
        QTest::newRow("negative") << 1920 << -1080;
        QTest::newRow("100000 x 100000") << 100000 << 100000;
    }

    void UnusableFrameSizeShowsNotice()
    {
        QFETCH(int, Width);
        QFETCH(int, Height);
        TFrPreview Frame;
        Frame.resize(FrameFor287x234);
        Frame.show();
        Frame.SetTestText(QStringLiteral("text"));
        const auto Good = MakeItem(1920, 1080);
        Frame.DrawPreview(Good.get());
        const auto Item = MakeItem(Width, Height);
        Frame.DrawPreview(Item.get());
        QVERIFY(Frame.imPreview()->Picture().isNull());
        QVERIFY(Frame.imPreview()->Notice().contains(QString::number(Width) + QStringLiteral(" × ") + QString::number(Height)));
        const QImage Area = Grab(Frame.imPreview());
        QCOMPARE(Area.pixel(0, 0), Rgb(Palette::PreviewArea));
    }
};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
