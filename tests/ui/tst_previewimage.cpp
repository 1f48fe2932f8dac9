#include "ui/PreviewImage.h"

#include "ui/Palette.h"

#include <QTest>

namespace {

QImage Grab(TPreviewImage& Widget)
{
    return Widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestPreviewImage : public QObject
{
    Q_OBJECT

private slots:
    void DisplayRect_data()
    {
        QTest::addColumn<QSize>("Picture");
        QTest::addColumn<QSize>("Area");
        QTest::addColumn<QRect>("Expected");
        QTest::newRow("fits: own size, centred") << QSize(100, 50) << QSize(287, 234) << QRect(93, 92, 100, 50);
        QTest::newRow("fits exactly") << QSize(287, 234) << QSize(287, 234) << QRect(0, 0, 287, 234);
        QTest::newRow("1920 x 1080 in 287 x 234") << QSize(1920, 1080) << QSize(287, 234) << QRect(0, 36, 287, 161);
        QTest::newRow("landscape held by the height") << QSize(1920, 1080) << QSize(600, 200) << QRect(122, 0, 355, 200);
        QTest::newRow("portrait") << QSize(1080, 1920) << QSize(287, 234) << QRect(78, 0, 131, 234);
        QTest::newRow("portrait held by the width") << QSize(1080, 1920) << QSize(100, 400) << QRect(0, 111, 100, 177);
        QTest::newRow("square counts as portrait") << QSize(500, 500) << QSize(287, 234) << QRect(26, 0, 234, 234);
        QTest::newRow("taller than the area only") << QSize(200, 300) << QSize(600, 150) << QRect(250, 0, 100, 150);
        QTest::newRow("no area") << QSize(1920, 1080) << QSize(0, 0) << QRect(0, 0, 0, 0);
    }

    void DisplayRect()
    {
        QFETCH(QSize, Picture);
        QFETCH(QSize, Area);
        QFETCH(QRect, Expected);
        QCOMPARE(TPreviewImage::DisplayRect(Picture, Area), Expected);
    }

    // What the widget paints: the scaled picture in its display rectangle, the area
    // colour everywhere else.
    void PaintsPictureInDisplayRect_data()
    {
        QTest::addColumn<QSize>("Picture");
        QTest::addColumn<QSize>("Area");
        QTest::newRow("1920 x 1080 in 287 x 234") << QSize(1920, 1080) << QSize(287, 234);
        QTest::newRow("portrait scaled") << QSize(720, 1280) << QSize(300, 200);
        QTest::newRow("own size") << QSize(120, 90) << QSize(300, 200);
    }

    void PaintsPictureInDisplayRect()
    {
        QFETCH(QSize, Picture);
        QFETCH(QSize, Area);
        QImage Source(Picture, QImage::Format_RGB32);
        Source.fill(Qt::white);
        TPreviewImage Widget;
        Widget.resize(Area);
        Widget.SetPicture(Source);
        const QImage Shown = Grab(Widget);
        const QRect Target = TPreviewImage::DisplayRect(Picture, Area);
        QVERIFY(!Target.isEmpty());
        const QRgb Outside = Palette::PreviewArea.Color().rgb();
        for (int y = 0; y < Shown.height(); ++y)
            for (int x = 0; x < Shown.width(); ++x) {
                const QRgb Expected = Target.contains(x, y) ? qRgb(255, 255, 255) : Outside;
                if (Shown.pixel(x, y) != Expected)
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
            }
    }

    void PictureAtOwnSizeIsUnchanged()
    {
        QImage Source(64, 48, QImage::Format_RGB32);
        for (int y = 0; y < Source.height(); ++y)
            for (int x = 0; x < Source.width(); ++x)
                Source.setPixel(x, y, qRgb(x * 4, y * 5, (x + y) % 256));
        TPreviewImage Widget;
        Widget.resize(100, 100);
        Widget.SetPicture(Source);
        QCOMPARE(Grab(Widget).copy(TPreviewImage::DisplayRect(Source.size(), Widget.size())), Source);
    }

    void NoPictureShowsAreaOrNotice()
    {
        TPreviewImage Widget;
        Widget.resize(200, 120);
        const QRgb Area = Palette::PreviewArea.Color().rgb();
        const auto OnlyArea = [&Widget, Area] {
            const QImage Shown = Grab(Widget);
            for (int y = 0; y < Shown.height(); ++y)
                for (int x = 0; x < Shown.width(); ++x)
                    if (Shown.pixel(x, y) != Area)
                        return false;
            return true;
        };
        QVERIFY(OnlyArea());
        Widget.SetPicture(QImage(), QStringLiteral("无法预览"));
        QVERIFY(!OnlyArea());
        Widget.SetPicture(QImage());
        QVERIFY(Widget.Notice().isEmpty());
        QVERIFY(OnlyArea());
    }
};

QTEST_MAIN(TestPreviewImage)
#include "tst_previewimage.moc"
