#include "model/FloatFormat.h"

#include <QTest>

#include <limits>

class TestFloatFormat : public QObject
{
    Q_OBJECT

private slots:
    void general_data()
    {
        QTest::addColumn<double>("Value");
        QTest::addColumn<QString>("Text");

        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("whole") << 2.0 << "2";
        QTest::newRow("half") << 1.5 << "1.5";
        QTest::newRow("negative") << -0.25 << "-0.25";
        QTest::newRow("smallest fixed") << 0.00001 << "0.00001";
        QTest::newRow("below fixed") << 0.000001 << "1E-6";
        QTest::newRow("small with digits") << -0.0000012345 << "-1.2345E-6";
        QTest::newRow("fifteen significant") << 1.0 / 3.0 << "0.333333333333333";
        QTest::newRow("binary noise rounded") << 0.1 + 0.2 << "0.3";
        QTest::newRow("fifteen integer digits") << 123456789012345.0 << "123456789012345";
        QTest::newRow("sixteen integer digits") << 1e15 << "1E15";
        QTest::newRow("rounded mantissa") << 1234567890123456.0 << "1.23456789012346E15";
        QTest::newRow("large") << 1.5e300 << "1.5E300";
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << "NaN";
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << "INF";
        QTest::newRow("negative infinity") << -std::numeric_limits<double>::infinity() << "-INF";
    }

    void general()
    {
        QFETCH(double, Value);
        QFETCH(QString, Text);
        QCOMPARE(TFloatFormat::General(Value, QLatin1Char('.')), Text);
    }

    void general_usesGivenSeparator()
    {
        QCOMPARE(TFloatFormat::General(2.5, QLatin1Char(',')), QStringLiteral("2,5"));
        QCOMPARE(TFloatFormat::General(2.5e-7, QLatin1Char(',')), QStringLiteral("2,5E-7"));
    }
};

QTEST_GUILESS_MAIN(TestFloatFormat)
#include "tst_floatformat.moc"
