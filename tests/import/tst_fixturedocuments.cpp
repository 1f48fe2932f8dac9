#include "import/Document.h"
#include "model/Error.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace
{
QString DocumentsDir()
{
    return QStringLiteral(NUVEX_TEST_DATA_DIR "/documents/");
}

QJsonObject ExpectedLines()
{
    QFile File(DocumentsDir() + QStringLiteral("expected-lines.json"));
    if (!File.open(QIODevice::ReadOnly))
        qFatal("cannot open expected-lines.json");
    return QJsonDocument::fromJson(File.readAll()).object();
}

} // namespace

class TestFixtureDocuments : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void load_data()
    {
        QTest::addColumn<QString>("Name");
        QTest::addColumn<QStringList>("Expected");
        const QJsonObject Expected = ExpectedLines();
        QVERIFY(Expected.size() >= 14);
        for (auto It = Expected.begin(); It != Expected.end(); ++It)
        {
            QStringList Lines;
            for (const QJsonValue& Line : It.value().toArray())
                Lines.append(Line.toString());
            QTest::newRow(qPrintable(It.key())) << It.key() << Lines;
        }
    }

    void load()
    {
        QFETCH(QString, Name);
        QFETCH(QStringList, Expected);
        // A legacy code page of its own, so the result cannot depend on the machine's locale.
        TDocument Document(QByteArrayLiteral("GB18030"));
        QStringList Notified;
        qint32 NotifiedCount = -1;
        Document.OnLoad = [&](const QString& Text, qint32 Index, qint32 Count, bool&) {
            QCOMPARE(Index, Notified.size() + 1);
            Notified.append(Text);
            NotifiedCount = Count;
        };
        const QString Password = Name.startsWith(u"protected.") ? QStringLiteral("nuvex") : QString();
        Document.Load(DocumentsDir() + Name, Password);

        QStringList Lines;
        for (qsizetype I = 0; I < Document.Count(); ++I)
            Lines.append(Document.Strings(I));
        QCOMPARE(Lines, Expected);
        QCOMPARE(Notified.size(), Expected.size());
        QCOMPARE(NotifiedCount, qint32(Expected.size()));
    }

    void gb18030WithWesternFallbackIsNotChinese()
    {
        TDocument Document(QByteArrayLiteral("windows-1252"));
        Document.Load(DocumentsDir() + QStringLiteral("gb18030-nobom.txt"));
        QCOMPARE(Document.Count(), 4);
        QVERIFY(Document.Strings(0) != QStringLiteral("第一行"));
        QCOMPARE(Document.Strings(1), QStringLiteral("Second line"));
    }

    void protectedDocuments_refuseMissingOrWrongPasswords_data()
    {
        QTest::addColumn<QString>("Name");
        QTest::addColumn<QString>("Password");
        for (const char* Name : {"protected.doc", "protected.docx", "protected.xls", "protected.xlsx"}) {
            QTest::newRow(qPrintable(QStringLiteral("%1 without password").arg(QLatin1String(Name)))) << Name << QString();
            QTest::newRow(qPrintable(QStringLiteral("%1 wrong password").arg(QLatin1String(Name)))) << Name << "Nuvex";
        }
    }

    void protectedDocuments_refuseMissingOrWrongPasswords()
    {
        QFETCH(QString, Name);
        QFETCH(QString, Password);
        TDocument Document;
        try {
            Document.Load(DocumentsDir() + Name, Password);
            QFAIL("no error raised");
        } catch (const EError& Error) {
            QVERIFY2(Error.Message().contains(Name), qPrintable(Error.Message()));
        }
        QCOMPARE(Document.Count(), 0);
    }

    void damagedCompoundFiles_failNamingTheFile_data()
    {
        QTest::addColumn<QString>("Source");
        QTest::addColumn<int>("Keep");
        for (const char* Name : {"paragraphs.doc", "column-a.xls", "protected.xls", "protected.docx"}) {
            QTest::newRow(qPrintable(QStringLiteral("%1 half").arg(QLatin1String(Name)))) << Name << 2;
            QTest::newRow(qPrintable(QStringLiteral("%1 header only").arg(QLatin1String(Name)))) << Name << 512;
        }
    }

    void damagedCompoundFiles_failNamingTheFile()
    {
        QFETCH(QString, Source);
        QFETCH(int, Keep);
        QFile In(DocumentsDir() + Source);
        QVERIFY(In.open(QIODevice::ReadOnly));
        QByteArray Bytes = In.readAll();
        Bytes.truncate(Keep == 2 ? Bytes.size() / 2 : Keep);
        QTemporaryDir Temp;
        const QString Damaged = Temp.filePath(QStringLiteral("damaged-") + Source);
        QFile Out(Damaged);
        QVERIFY(Out.open(QIODevice::WriteOnly));
        Out.write(Bytes);
        Out.close();
        TDocument Document;
        try {
            Document.Load(Damaged, QStringLiteral("nuvex"));
            QFAIL("no error raised");
        } catch (const EError& Error) {
            QVERIFY2(Error.Message().contains(Damaged), qPrintable(Error.Message()));
        }
    }
};

QTEST_GUILESS_MAIN(TestFixtureDocuments)
#include "tst_fixturedocuments.moc"
