#include "titles/FontSubstitution.h"

#include <QFontDatabase>
#include <QTest>

#include <algorithm>

// The fonts named here come with the build's set-up (Noto Sans CJK, Liberation) or with
// fontconfig itself (DejaVu).
class TestFontSubstitution : public QObject
{
    Q_OBJECT

private slots:
    void SubstituteFor_data()
    {
        QTest::addColumn<QString>("FontName");
        QTest::addColumn<QString>("Substitute");
        QTest::addColumn<QString>("Needs");
        QTest::newRow("installed") << "Noto Sans CJK SC" << "" << "";
        QTest::newRow("installed, other letter case") << "noto sans cjk sc" << "" << "";
        QTest::newRow("second family name of the face") << "DejaVu Sans Condensed" << "" << "DejaVu Sans";
        // Its face carries the name but is not the one measured.
        QTest::newRow("style family measured in another style") << "DejaVu Sans Light" << "DejaVu Sans Book"
                                                                << "DejaVu Sans";
        QTest::newRow("blanks that Windows would not ignore") << "LiberationSans" << "Liberation Sans" << "";
        // Same widths by design, and still another face.
        QTest::newRow("metric-compatible alias") << "Arial" << "Liberation Sans" << "";
    }

    void SubstituteFor()
    {
        QFETCH(QString, FontName);
        QFETCH(QString, Substitute);
        QFETCH(QString, Needs);
        if (!Needs.isEmpty() && !QFontDatabase::hasFamily(Needs))
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
