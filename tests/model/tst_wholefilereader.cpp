#include "model/OSError.h"
#include "model/WholeFileReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <thread>

namespace {

// Names each failure by the hook that raised it.
class TRecordingReader final : public TWholeFileReader
{
public:
    using TWholeFileReader::TWholeFileReader;

protected:
    [[noreturn]] void CannotOpen(const QString&, const QString&) const override { throw EError(QStringLiteral("open")); }
    [[noreturn]] void CannotRead(const QString&, const QString&) const override { throw EError(QStringLiteral("read")); }
    [[noreturn]] void TooLarge(const QString&) const override { throw EError(QStringLiteral("too large")); }
};

// Keeps the default wording of opening and reading.
class TDefaultReader final : public TWholeFileReader
{
public:
    TDefaultReader()
        : TWholeFileReader(1024)
    {
    }

protected:
    [[noreturn]] void TooLarge(const QString&) const override { throw EError(QStringLiteral("too large")); }
};

QString Outcome(const TWholeFileReader& Reader, const QString& FileName, QByteArray& Content)
{
    try {
        Content = Reader.Read(FileName);
        return QStringLiteral("read");
    } catch (const EError& Error) {
        return Error.Message();
    }
}

} // namespace

class TestWholeFileReader : public QObject
{
    Q_OBJECT

private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("Content");
        QTest::addColumn<qint64>("Bound");
        QTest::addColumn<QString>("Expected");

        QTest::newRow("empty") << QByteArray() << qint64(16) << "read";
        QTest::newRow("below the bound") << QByteArray("<Root/>\r\n") << qint64(16) << "read";
        // What is read is sized by the file, never by the bound.
        QTest::newRow("far below a huge bound") << QByteArray("<Root/>") << (qint64(1) << 40) << "read";
        QTest::newRow("exactly the bound") << QByteArray(16, 'x') << qint64(16) << "read";
        QTest::newRow("one byte over") << QByteArray(17, 'x') << qint64(16) << "too large";
        QTest::newRow("larger than a chunk") << QByteArray(300 * 1024, 'y') << qint64(1 << 20) << "read";
    }

    void read()
    {
        QFETCH(QByteArray, Content);
        QFETCH(qint64, Bound);
        QFETCH(QString, Expected);
        QTemporaryDir Dir;
        const QString Path = Dir.filePath(QStringLiteral("file"));
        QFile File(Path);
        QVERIFY(File.open(QIODevice::WriteOnly));
        QCOMPARE(File.write(Content), Content.size());
        File.close();

        QByteArray Got;
        QCOMPARE(Outcome(TRecordingReader(Bound), Path, Got), Expected);
        if (Expected == QLatin1String("read"))
            QCOMPARE(Got, Content);
    }

    // Pipes report no size: their content comes in chunks until the writer closes.
    void pipeIsReadToItsEnd()
    {
        QTemporaryDir Dir;
        const QString Path = Dir.filePath(QStringLiteral("fifo"));
        QCOMPARE(::mkfifo(QFile::encodeName(Path).constData(), 0600), 0);
        QByteArray Content(200 * 1024 + 7, Qt::Uninitialized);
        for (qsizetype i = 0; i < Content.size(); ++i)
            Content[i] = char('a' + i % 23);
        std::thread Writer([&Path, &Content] {
            QFile Fifo(Path);
            if (Fifo.open(QIODevice::WriteOnly))
                Fifo.write(Content);
        });
        QByteArray Got;
        const QString Result = Outcome(TRecordingReader(1 << 20), Path, Got);
        Writer.join();
        QCOMPARE(Result, QStringLiteral("read"));
        QCOMPARE(Got, Content);
    }

    // Files under /proc report the size 0 but hold text, which the bound still limits.
    void procFileWithoutSize()
    {
        QByteArray Got;
        QCOMPARE(Outcome(TRecordingReader(1 << 20), QStringLiteral("/proc/self/status"), Got), QStringLiteral("read"));
        QVERIFY2(Got.startsWith("Name:"), Got.left(40).constData());
        QCOMPARE(Outcome(TRecordingReader(16), QStringLiteral("/proc/self/status"), Got), QStringLiteral("too large"));
    }

    void failuresNameTheFile_data()
    {
        QTest::addColumn<QString>("FileName");
        QTest::addColumn<QString>("Hook");
        QTest::addColumn<QString>("Wording");

        QTest::newRow("missing") << "/nonexistent/nuvex/file.xml" << "open" << "无法打开文件 '%1'";
        // Reading a process's own memory at address 0 fails with an I/O error.
        QTest::newRow("unreadable") << "/proc/self/mem" << "read" << "无法读取文件 '%1'";
    }

    void failuresNameTheFile()
    {
        QFETCH(QString, FileName);
        QFETCH(QString, Hook);
        QFETCH(QString, Wording);
        QByteArray Got;
        QCOMPARE(Outcome(TRecordingReader(1 << 20), FileName, Got), Hook);
        try {
            TDefaultReader().Read(FileName);
            QFAIL("no error");
        } catch (const EOSError& Error) {
            QVERIFY2(Error.Message().startsWith(Wording.arg(FileName)), qPrintable(Error.Message()));
        }
    }
};

QTEST_GUILESS_MAIN(TestWholeFileReader)
#include "tst_wholefilereader.moc"
