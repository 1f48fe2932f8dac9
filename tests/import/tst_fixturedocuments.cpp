#include "import/Document.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

// Compound-file formats are read by code that may not be part of this build yet.
bool NeedsCompoundFile(const QString& Name)
{
    return Name.endsWith(u".doc") || Name.endsWith(u".xls") || Name.startsWith(u"protected.");
}

constexpr bool HasCompoundFile =
#if __has_include("import/CompoundFile.h")
    true;
#else
    false;
#endif

constexpr bool HasEncryptedPackage =
#if __has_include("import/EncryptedPackage.h")
    true;
#else
    false;
#endif

constexpr bool HasWordBinaryParser =
#if __has_include("import/WordBinaryParser.h")
    true;
#else
    false;
#endif

constexpr bool HasExcelBinaryParser =
#if __has_include("import/ExcelBinaryParser.h")
    true;
#else
    false;
#endif

bool CanRead(const QString& Name)
{
    if (!NeedsCompoundFile(Name))
        return true;
    if (!HasCompoundFile)
        return false;
    if (Name.startsWith(u"protected.") && Name.endsWith(u'x'))
        return HasEncryptedPackage;
    return Name.endsWith(u".doc") ? HasWordBinaryParser : HasExcelBinaryParser;
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
        if (!CanRead(Name))
            QSKIP("the reader of this compound-file format is not part of this build");

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
};

QTEST_GUILESS_MAIN(TestFixtureDocuments)
#include "tst_fixturedocuments.moc"
