#include "titles/TitleValueFormat.h"

#include <QLocale>
#include <QTest>

#include <limits>

class TestTitleValueFormat : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }

    void formatFloat_data()
    {
        QTest::addColumn<double>("Value");
        QTest::addColumn<QString>("English");
        QTest::addColumn<QString>("Hungarian");
        QTest::newRow("zero") << 0.0 << "0.000000" << "0,000000";
        QTest::newRow("half") << 209.5 << "209.500000" << "209,500000";
        QTest::newRow("negative") << -2.25 << "-2.250000" << "-2,250000";
        QTest::newRow("below one") << 0.125 << "0.125000" << "0,125000";
        QTest::newRow("no grouping") << 1234567.0 << "1234567.000000" << "1234567,000000";
        QTest::newRow("rounds half a millionth up") << 1.0000005 << "1.000001" << "1,000001";
        QTest::newRow("tiny negative is zero") << -0.0000001 << "0.000000" << "0,000000";
        QTest::newRow("negative zero") << -0.0 << "0.000000" << "0,000000";
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << "NAN" << "NAN";
    }

    void formatFloat()
    {
        QFETCH(double, Value);
        QFETCH(QString, English);
        QFETCH(QString, Hungarian);
        QCOMPARE(TTitleValueFormat::FormatFloat(Value), English);
        QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
        QCOMPARE(TTitleValueFormat::FormatFloat(Value), Hungarian);
    }

    void parseFloat_data()
    {
        QTest::addColumn<QString>("Text");
        QTest::addColumn<double>("English");
        QTest::addColumn<double>("Hungarian");
        QTest::newRow("point") << "4.500000" << 4.5 << 0.0;
        QTest::newRow("comma") << "4,500000" << 0.0 << 4.5;
        QTest::newRow("negative") << "-1.25" << -1.25 << 0.0;
        QTest::newRow("word") << "wide" << 0.0 << 0.0;
        QTest::newRow("empty") << "" << 0.0 << 0.0;
        QTest::newRow("infinite") << "1e999" << 0.0 << 0.0;
    }

    void parseFloat()
    {
        QFETCH(QString, Text);
        QFETCH(double, English);
        QFETCH(double, Hungarian);
        QCOMPARE(TTitleValueFormat::ParseFloat(Text), English);
        QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
        QCOMPARE(TTitleValueFormat::ParseFloat(Text), Hungarian);
    }

    void colors_data()
    {
        QTest::addColumn<qint32>("Stored");
        QTest::addColumn<QString>("Written");
        QTest::newRow("white") << 0xFFFFFF << "-1";
        QTest::newRow("black") << 0 << "-16777216";
        QTest::newRow("pure red") << 0x0000FF << "-65536";
        QTest::newRow("pure blue") << 0xFF0000 << "-16776961";
        QTest::newRow("grey-blue 7437693") << 7437693 << QString::number(qint32(0xFF7D7D71u));
    }

    void colors()
    {
        QFETCH(qint32, Stored);
        QFETCH(QString, Written);
        QCOMPARE(TTitleValueFormat::EncodeColor(Stored), Written);
        QCOMPARE(TTitleValueFormat::DecodeColor(Written), Stored);
    }

    void colorOddities()
    {
        // A system colour keeps only its low three bytes; alpha and non-numbers read as black.
        QCOMPARE(TTitleValueFormat::EncodeColor(qint32(0xFF00000F)), QStringLiteral("-15794176"));
        QCOMPARE(TTitleValueFormat::DecodeColor(QStringLiteral("255")), 0xFF0000);
        QCOMPARE(TTitleValueFormat::DecodeColor(QStringLiteral("abc")), 0);
        QCOMPARE(TTitleValueFormat::DecodeColor(QString()), 0);
    }

    void createTime_data()
    {
        QTest::addColumn<QLocale>("Locale");
        QTest::addColumn<QString>("Expected");
        QTest::newRow("English, 12-hour format") << QLocale(QLocale::English, QLocale::UnitedStates) << "07/03/2009 08:05:09";
        QTest::newRow("Chinese") << QLocale(QLocale::Chinese, QLocale::China) << "07/03/2009 08:05:09";
        QTest::newRow("Finnish") << QLocale(QLocale::Finnish, QLocale::Finland) << "07/03/2009 08.05.09";
    }

    void createTime()
    {
        QFETCH(QLocale, Locale);
        QFETCH(QString, Expected);
        QLocale::setDefault(Locale);
        QCOMPARE(TTitleValueFormat::FormatCreateTime(QDateTime(QDate(2009, 3, 7), QTime(8, 5, 9))), Expected);
        QCOMPARE(TTitleValueFormat::FormatCreateTime(QDateTime(QDate(987, 12, 31), QTime(23, 59, 0))).left(16),
                 QStringLiteral("31/12/0987 23") + TTitleValueFormat::TimeSeparator() + QStringLiteral("59"));
    }
};

QTEST_GUILESS_MAIN(TestTitleValueFormat)
#include "tst_titlevalueformat.moc"
