#include "titles/FontSubstitution.h"

#include <QFontDatabase>
#include <QTest>

#include <algorithm>

// The fonts named here come with the build's set-up (Noto Sans CJK, Liberation); the
// rows on DejaVu's extra faces run where those are installed.
class TestFontSubstitution : public QObject
{
    Q_OBJECT

private slots:
    void SubstituteFor_data()
    {
        QTest::addColumn<QString>("FontName");
        QTest::addColumn<QString>("Substitute");
        QTest::addColumn<bool>("Optional");
        QTest::newRow("installed") << "Noto Sans CJK SC" << "" << false;
        QTest::newRow("installed, other letter case") << "noto sans cjk sc" << "" << false;
        QTest::newRow("second family name of the face") << "DejaVu Sans Condensed" << "" << true;
        // Its face carries the name but is not the one measured.
        QTest::newRow("style family measured in another style") << "DejaVu Sans Light" << "DejaVu Sans Book" << true;
        QTest::newRow("blanks that Windows would not ignore") << "LiberationSans" << "Liberation Sans" << false;
        // Same widths by design, and still another face.
        QTest::newRow("metric-compatible alias") << "Arial" << "Liberation Sans" << false;
    }

    void SubstituteFor()
    {
        QFETCH(QString, FontName);
        QFETCH(QString, Substitute);
        QFETCH(bool, Optional);
        if (Optional && !QFontDatabase::hasFamily(FontName))
            QSKIP("the font is not installed here");
        if (FontName == QLatin1String("Arial") && QFontDatabase::families().contains(FontName))
            QSKIP("Arial itself is installed here");
        QCOMPARE(TFontSubstitution::SubstituteFor(FontName), Substitute);
    }

    void MissingNameIsMeasuredWithAnInstalledFace_data()
    {
        QTest::addColumn<QString>("FontName");
        QTest::newRow("unknown name") << "Nuvex Font That Is Not There";
        QTest::newRow("empty name") << "";
    }

    void MissingNameIsMeasuredWithAnInstalledFace()
    {
        QFETCH(QString, FontName);
        const QString Substitute = TFontSubstitution::SubstituteFor(FontName);
        QVERIFY(!Substitute.isEmpty());
        const QStringList Families = QFontDatabase::families();
        QVERIFY2(std::any_of(Families.begin(), Families.end(),
                             [&](const QString& Family) { return Substitute.startsWith(Family); }),
                 qPrintable(Substitute));
    }
};

QTEST_MAIN(TestFontSubstitution)
#include "tst_fontsubstitution.moc"
