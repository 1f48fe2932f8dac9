#include "FuzzEntries.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <exception>

#include <sys/resource.h>

namespace
{
// What a fuzz target may take before its input counts as a finding.
constexpr long MemoryLimitKiB = 2 * 1024 * 1024;

long PeakMemoryKiB()
{
    rusage Usage{};
    getrusage(RUSAGE_SELF, &Usage);
    return Usage.ru_maxrss;
}

QDir InputsOf(const TFuzzEntries::TTarget& Target)
{
    return QDir(QStringLiteral(NUVEX_TEST_DATA_DIR "/fuzz/") + QLatin1String(Target.Name));
}
} // namespace

// Every seed and every input that once broke a parser, through the entry its fuzz
// target drives. Passing means each was taken or refused with our own error, within
// the memory a fuzz target allows; a fault that returns shows as a crash, a sanitizer
// report or a failure below.
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
        const long Before = PeakMemoryKiB();
        try
        {
            TFuzzEntries::Run(*TFuzzEntries::Find(Target.toLatin1().constData()), Content);
        }
        catch (const std::exception& Error)
        {
            QFAIL(qPrintable(QStringLiteral("%1: %2").arg(Input, QString::fromUtf8(Error.what()))));
        }
        // The peak only grows, so it is the input that first passed the limit that fails.
        const long After = PeakMemoryKiB();
        QVERIFY2(Before > MemoryLimitKiB || After <= MemoryLimitKiB,
            qPrintable(QStringLiteral("%1 took %2 MiB").arg(Input).arg(After / 1024)));
    }
};

QTEST_GUILESS_MAIN(TestFuzzReplay)
#include "tst_fuzzreplay.moc"
