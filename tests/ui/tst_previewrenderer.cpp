#include "ui/PreviewRenderer.h"

#include "titles/SubtitleItemFactory.h"

#include "model/ApplicationDirectory.h"
#include "model/SubtitleItem.h"

#include <QFile>
#include <QFontMetrics>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString TwoLineText = QStringLiteral("Preview of a subtitle that needs two lines");

std::unique_ptr<TSubtitleItem> MakeItem(qint32 Width, qint32 Height)
{
    auto Item = std::make_unique<TSubtitleItem>();
    Item->SetFontName(QStringLiteral("Liberation Sans"));
    Item->SetFontSize(36);
    Item->SetFontColor(0x00FFFF); // yellow text, visible on white and black
    Item->SetBoxWidth(700);
    Item->SetLineMaximum(10);
    Item->SetVideoWidth(Width);
    Item->SetVideoHeight(Height);
    return Item;
}

// Bounding rectangle of the pixels in Rows whose colour differs from Background.
QRect Ink(const QImage& Picture, QRgb Background, int FirstRow = 0, int LastRow = -1)
{
    if (LastRow < 0)
        LastRow = Picture.height() - 1;
    QRect Result;
    for (int y = std::max(0, FirstRow); y <= std::min(LastRow, Picture.height() - 1); ++y) {
        const auto* Line = reinterpret_cast<const QRgb*>(Picture.constScanLine(y));
        for (int x = 0; x < Picture.width(); ++x)
            if ((Line[x] & 0xFFFFFF) != (Background & 0xFFFFFF))
                Result |= QRect(x, y, 1, 1);
    }
    return Result;
}

QRect ToRect(const TTitlePlacement::TBox& Box)
{
    return QRect(QPoint(int(Box.Left), int(Box.Top)), QPoint(int(Box.Right) - 1, int(Box.Bottom) - 1));
}

// The first of some sample texts whose measured width has the wanted parity.
QString TextOfWidthParity(const TSubtitleItem& Item, bool Odd)
{
    const TSubtitleItemFactory Factory;
    for (const char* Sample : {"Centred", "Centre", "Centred text", "In the middle", "Mid", "Middle", "i", "ii", "Wi"}) {
        const QString Text = QString::fromLatin1(Sample);
        if ((Factory.MeasureText(&Item, Text).Right % 2 == 1) == Odd)
            return Text;
    }
    return QString();
}

// elements4 and elements5 of the title the writer makes for the item and text.
QPointF WrittenPlacement(TSubtitleItem& Item, const QString& Text)
{
    QTemporaryDir Directory;
    Item.SetSubtitleDirectory(Directory.path());
    Item.SetSubtitleFileName(QStringLiteral("Title00001.etl"));
    Item.SetSubtitleContent(Text);
    TSubtitleItemFactory().WriteSubtitles(Item, TemplateFilePath(), {});
    QFile File(Directory.filePath(QStringLiteral("Title00001.etl")));
    if (!File.open(QIODevice::ReadOnly))
        return QPointF(qQNaN(), qQNaN());
    const QByteArray Bytes = File.readAll();
    const QString Title = QString::fromUtf16(reinterpret_cast<const char16_t*>(Bytes.constData() + 2), (Bytes.size() - 2) / 2);
    const auto Value = [&Title](const QString& Name) {
        const qsizetype Begin = Title.indexOf(QLatin1Char('<') + Name + QLatin1Char('>')) + Name.size() + 2;
        const qsizetype End = Title.indexOf(QStringLiteral("</") + Name, Begin);
        return Title.mid(Begin, End - Begin).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
    };
    return QPointF(Value(QStringLiteral("elements4")), Value(QStringLiteral("elements5")));
}

} // namespace

class TestPreviewRenderer : public QObject
{
    Q_OBJECT

private slots:
    // The box lies where the title writer puts the block of the same item and text,
    // and every drawn line stands in its cell, aligned as BoxAlignText says.
    void TextBoxMatchesWrittenTitle_data()
    {
        QTest::addColumn<QSize>("Frame");
        QTest::addColumn<int>("BoxAlign");
        QTest::addColumn<int>("BoxAlignText");
        QTest::addColumn<int>("RelativeX");
        QTest::addColumn<int>("RelativeY");
        QTest::addColumn<QString>("FontName");
        QTest::addColumn<QString>("Text");

        const auto Probe = MakeItem(1920, 1080);
        const QString Odd = TextOfWidthParity(*Probe, true);
        const QString Even = TextOfWidthParity(*Probe, false);
        const QString Liberation = QStringLiteral("Liberation Sans");
        QTest::newRow("left, two lines on the bottom edge") << QSize(1920, 1080) << int(taLeftJustify) << int(taLeftJustify) << 40 << 0 << Liberation << TwoLineText;
        QTest::newRow("right, lines right-aligned") << QSize(1920, 1080) << int(taRightJustify) << int(taRightJustify) << -20 << -30 << Liberation << TwoLineText;
        QTest::newRow("left box, centred lines") << QSize(1280, 720) << int(taLeftJustify) << int(taCenter) << 100 << -10 << Liberation << TwoLineText;
        QTest::newRow("BoxRelativeY -50") << QSize(1920, 1080) << int(taLeftJustify) << int(taLeftJustify) << 0 << -50 << Liberation << TwoLineText;
        QTest::newRow("centre, even frame, odd width") << QSize(1920, 1080) << int(taCenter) << int(taCenter) << 0 << -40 << Liberation << Odd;
        QTest::newRow("centre, odd frame, odd width") << QSize(721, 576) << int(taCenter) << int(taLeftJustify) << 0 << -40 << Liberation << Odd;
        QTest::newRow("centre, odd frame, even width") << QSize(721, 576) << int(taCenter) << int(taLeftJustify) << 15 << -40 << Liberation << Even;
        QTest::newRow("ampersand is a character") << QSize(720, 576) << int(taLeftJustify) << int(taLeftJustify) << 10 << -10 << Liberation << QStringLiteral("&");
        QTest::newRow("font not installed") << QSize(720, 576) << int(taLeftJustify) << int(taLeftJustify) << 10 << -10 << QStringLiteral("Nuvex No Such Font") << QStringLiteral("Fallback face");
    }

    void TextBoxMatchesWrittenTitle()
    {
        QFETCH(QSize, Frame);
        QFETCH(int, BoxAlign);
        QFETCH(int, BoxAlignText);
        QFETCH(int, RelativeX);
        QFETCH(int, RelativeY);
        QFETCH(QString, FontName);
        QFETCH(QString, Text);
        QVERIFY(!Text.isEmpty());

        auto Item = MakeItem(Frame.width(), Frame.height());
        Item->SetFontName(FontName);
        Item->SetBoxAlign(TAlignment(BoxAlign));
        Item->SetBoxAlignText(TAlignment(BoxAlignText));
        Item->SetBoxRelativeX(RelativeX);
        Item->SetBoxRelativeY(RelativeY);

        TPreviewRenderer Renderer;
        const QImage Picture = Renderer.Render(*Item, Text, TPreviewBackground::Black);
        QCOMPARE(Picture.size(), Frame);

        const TSubtitleItemFactory Factory;
        qint32 LineBreaks = 0;
        const QString Wrapped = Factory.WrapText(Item.get(), Text, LineBreaks);
        const TTextRect Block = Factory.MeasureText(Item.get(), Wrapped);
        const TTitlePlacement::TBox Box = Renderer.TextBox();
        QCOMPARE(Box.Right - Box.Left, qint64(Block.Right));
        QCOMPARE(Box.Bottom - Box.Top, qint64(Block.Bottom));
        QCOMPARE(Box.Bottom, qint64(Frame.height() + RelativeY));
        QCOMPARE(Renderer.DrawnLines().size(), qsizetype(LineBreaks + 1));

        const QPointF Written = WrittenPlacement(*Item, Text);
        QCOMPARE(Written.y(), double(Box.Top));
        if (BoxAlign == taCenter)
            QCOMPARE(Written.x() - double(Box.Left), double(Frame.width() % 2 - Block.Right % 2) / 2.0);
        else
            QCOMPARE(Written.x(), double(Box.Left));

        const QRgb Background = qRgb(0, 0, 0);
        const QRect AllInk = Ink(Picture, Background);
        QVERIFY2(ToRect(Box).contains(AllInk), qPrintable(QStringLiteral("ink %1,%2 %3x%4 outside the box")
                                                              .arg(AllInk.x()).arg(AllInk.y()).arg(AllInk.width()).arg(AllInk.height())));
        const QFontMetrics Metrics(Renderer.Font());
        const int LineHeight = Renderer.LineHeight();
        for (qsizetype i = 0; i < Renderer.DrawnLines().size(); ++i) {
            const int CellTop = int(Box.Top) + int(i) * LineHeight;
            const QRect LineInk = Ink(Picture, Background, CellTop, CellTop + LineHeight - 1);
            QVERIFY(!LineInk.isEmpty());
            qint64 Width = 0;
            for (const QChar Character : Renderer.DrawnLines()[i])
                Width += Metrics.horizontalAdvance(Character);
            const double Left = BoxAlignText == taRightJustify ? double(Box.Right - Width)
                              : BoxAlignText == taCenter     ? double(Box.Left) + double(Block.Right - Width) / 2.0
                                                             : double(Box.Left);
            QVERIFY(qAbs(LineInk.center().x() - (Left + double(Width) / 2.0)) <= Metrics.height() / 3.0);
        }
    }

    // The box is measured without the style, so a bold line wider than it breaks once
    // more at a blank and the extra line hangs below the box.
    void BoldLineBreaksOnceMore()
    {
        auto Item = MakeItem(1920, 1080);
        Item->SetBoxWidth(1800);
        Item->SetBoxRelativeY(-300);
        Item->SetFontStyleBold(true);
        const QString Text = QStringLiteral("bold words wider than their measure");
        TPreviewRenderer Renderer;
        const QImage Picture = Renderer.Render(*Item, Text, TPreviewBackground::White);

        const QFontMetrics Bold(Renderer.Font());
        qint64 BoldWidth = 0;
        for (const QChar Character : Text)
            BoldWidth += Bold.horizontalAdvance(Character);
        const TTitlePlacement::TBox Box = Renderer.TextBox();
        QVERIFY(BoldWidth > Box.Right - Box.Left);

        QCOMPARE(Renderer.DrawnLines().size(), 2);
        QCOMPARE(Renderer.DrawnLines().join(QLatin1Char(' ')), Text);
        const int Below = int(Box.Bottom);
        QVERIFY(!Ink(Picture, qRgb(255, 255, 255), Below, Below + Renderer.LineHeight() - 1).isEmpty());
    }

    void EmptyTextGivesOnlyTheBackground_data()
    {
        QTest::addColumn<int>("Background");
        QTest::addColumn<QColor>("Color");
        QTest::newRow("white") << int(TPreviewBackground::White) << QColor(255, 255, 255);
        QTest::newRow("black") << int(TPreviewBackground::Black) << QColor(0, 0, 0);
        QTest::newRow("yellow") << int(TPreviewBackground::Yellow) << QColor(241, 230, 7);
    }

    void EmptyTextGivesOnlyTheBackground()
    {
        QFETCH(int, Background);
        QFETCH(QColor, Color);
        const auto Item = MakeItem(1920, 1080);
        TPreviewRenderer Renderer;
        const QImage Picture = Renderer.Render(*Item, QString(), TPreviewBackground(Background));
        QCOMPARE(Picture.size(), QSize(1920, 1080));
        QCOMPARE(Picture.pixelColor(0, 0), Color);
        QVERIFY(Ink(Picture, Color.rgb()).isEmpty());
        QVERIFY(Renderer.DrawnLines().isEmpty());
    }

    // A frame size of nothing or of gigabytes gives no picture instead of an allocation.
    void UnusableFrameSizeGivesNoPicture_data()
    {
        QTest::addColumn<int>("Width");
        QTest::addColumn<int>("Height");
        QTest::addColumn<bool>("Drawn");
        QTest::newRow("zero width") << 0 << 1080 << false;
        QTest::newRow("zero height") << 1920 << 0 << false;
        QTest::newRow("negative") << -1920 << 1080 << false;
        QTest::newRow("100000 x 100000") << 100000 << 100000 << false;
        QTest::newRow("side too long") << int(TPreviewRenderer::MaxFrameSide + 1) << 2 << false;
        QTest::newRow("too many pixels") << 8000 << 5000 << false;
        QTest::newRow("longest side") << int(TPreviewRenderer::MaxFrameSide) << 2 << true;
        QTest::newRow("one pixel") << 1 << 1 << true;
    }

    void UnusableFrameSizeGivesNoPicture()
    {
        QFETCH(int, Width);
        QFETCH(int, Height);
        QFETCH(bool, Drawn);
        const auto Item = MakeItem(Width, Height);
        TPreviewRenderer Renderer;
        const QImage Picture = Renderer.Render(*Item, TwoLineText, TPreviewBackground::Black);
        QCOMPARE(!Picture.isNull(), Drawn);
        QCOMPARE(TPreviewRenderer::FrameSizeAllowed(Width, Height), Drawn);
        if (Drawn)
            QCOMPARE(Picture.size(), QSize(Width, Height));
    }
};

QTEST_MAIN(TestPreviewRenderer)
#include "tst_previewrenderer.moc"
