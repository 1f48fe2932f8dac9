#include "FuzzEntries.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <exception>

namespace
{
QDir InputsOf(const TFuzzEntries::TTarget& Target)
{
    return QDir(QStringLiteral(NUVEX_TEST_DATA_DIR "/fuzz/") + QLatin1String(Target.Name));
}
} // namespace

// Every seed and every input that once broke a parser, through the entry its fuzz
// target drives. Passing means each was taken or refused with our own error; a fault
// that returns shows as a crash, a sanitizer report or the failure below.
class TestFuzzReplay : public QObject
{
    Q_OBJECT

private slots:
    void everyTargetHasInputs_data()
    {
        QTest::addColumn<QString>("Target");
        for (const TFuzzEntries::TTarget& Target : TFuzzEntries::Targets())
            QTest::newRow(Target.Name) << QString::fromLatin1(Target.Name);
    }

    void everyTargetHasInputs()
    {
        QFETCH(QString, Target);
        const TFuzzEntries::TTarget* Found = TFuzzEntries::Find(Target.toLatin1().constData());
        QVERIFY(Found != nullptr);
        QVERIFY2(InputsOf(*Found).entryList(QDir::Files).size() >= 10, qPrintable(InputsOf(*Found).path()));
    }

    void replay_data()
    {
        QTest::addColumn<QString>("Target");
        QTest::addColumn<QString>("Input");
        for (const TFuzzEntries::TTarget& Target : TFuzzEntries::Targets())
        {
            const QDir Inputs = InputsOf(Target);
            for (const QString& Name : Inputs.entryList(QDir::Files, QDir::Name))
                QTest::newRow(qPrintable(QLatin1String(Target.Name) + u'/' + Name))
                    << QString::fromLatin1(Target.Name) << Inputs.filePath(Name);
        }
    }

    void replay()
    {
        QFETCH(QString, Target);
        QFETCH(QString, Input);
        QFile File(Input);
        QVERIFY2(File.open(QIODevice::ReadOnly), qPrintable(Input));
        const QByteArray Content = File.readAll();
        try
        {
            TFuzzEntries::Run(*TFuzzEntries::Find(Target.toLatin1().constData()), Content);
        }
        catch (const std::exception& Error)
        {
            QFAIL(qPrintable(QStringLiteral("%1: %2").arg(Input, QString::fromUtf8(Error.what()))));
        }
    }
};

QTEST_GUILESS_MAIN(TestFuzzReplay)
#include "tst_fuzzreplay.moc"
