#include "model/QtTranslations.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTest>

#include <algorithm>

class TestQtTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        FLocaleBefore = QLocale();
        QVERIFY2(TQtTranslations::Install(), "qtbase_zh_CN is missing; install qt6-translations-l10n");
    }

    void qtTextsSpeakChinese_data()
    {
        QTest::addColumn<QString>("Context");
        QTest::addColumn<QString>("Source");

        QTest::newRow("message box button") << "QPlatformTheme" << "Cancel";
        QTest::newRow("file dialog") << "QFileDialog" << "Look in:";
        QTest::newRow("colour dialog") << "QColorDialog" << "&Red:";
        QTest::newRow("command-line help") << "QCommandLineParser" << "Displays version information.";
    }

    void qtTextsSpeakChinese()
    {
        QFETCH(QString, Context);
        QFETCH(QString, Source);
        const QString Text = QCoreApplication::translate(qPrintable(Context), qPrintable(Source));
        const bool HasHanzi = std::any_of(Text.cbegin(), Text.cend(), [](QChar Char) {
            return Char.unicode() >= 0x4E00 && Char.unicode() <= 0x9FFF;
        });
        QVERIFY2(HasHanzi, qPrintable(Text));
    }

    void cancelButton()
    {
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
    }

    void localeStaysTheUsers()
    {
        QCOMPARE(QLocale(), FLocaleBefore);
        QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
    }

private:
    QLocale FLocaleBefore;
};

QTEST_GUILESS_MAIN(TestQtTranslations)
#include "tst_qttranslations.moc"
