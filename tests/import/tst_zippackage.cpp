#include "import/DocumentError.h"
#include "import/ZipPackage.h"

#include "ZipBuilder.h"

#include <QTest>

namespace
{
const QString FileName = QStringLiteral("/x/被测.docx");

QByteArray SampleZip()
{
    return MakeZip({{QStringLiteral("word/document.xml"), QByteArray(5000, 'a')},
        {QStringLiteral("docProps/app.xml"), QByteArrayLiteral("<x/>")}});
}

QByteArray Bomb(qsizetype Size)
{
    return MakeZip({{QStringLiteral("bomb.xml"), QByteArray(Size, '\0')}});
}
} // namespace

class TestZipPackage : public QObject
{
    Q_OBJECT

private slots:
    void readsEntriesWhateverTheirCase()
    {
        TZipPackage Package(SampleZip(), FileName);
        QVERIFY(Package.HasEntry(QStringLiteral("word/document.xml")));
        QVERIFY(Package.HasEntry(QStringLiteral("WORD/Document.XML")));
        QVERIFY(!Package.HasEntry(QStringLiteral("word/missing.xml")));
        QCOMPARE(Package.Read(QStringLiteral("Word/Document.xml")), QByteArray(5000, 'a'));
        QCOMPARE(Package.Read(QStringLiteral("docProps/app.xml")), QByteArrayLiteral("<x/>"));
    }

    void missingEntryNamesFileAndPart()
    {
        TZipPackage Package(SampleZip(), FileName);
        try
        {
            Package.Read(QStringLiteral("word/missing.xml"));
            QFAIL("no error");
        }
        catch (const EDocument& Error)
        {
            QVERIFY(Error.Message().contains(FileName));
            QVERIFY(Error.Message().contains(QStringLiteral("word/missing.xml")));
        }
    }

    void noArchiveIsInvalidFormat_data()
    {
        QTest::addColumn<QByteArray>("Bytes");
        const QByteArray Zip = SampleZip();
        QTest::newRow("compound file") << QByteArrayLiteral("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1").repeated(100);
        QTest::newRow("text") << QByteArrayLiteral("PK\x03\x04 not really a zip at all");
        QTest::newRow("truncated to half") << Zip.left(Zip.size() / 2);
        QTest::newRow("directory cut off") << Zip.left(Zip.size() - 10);
    }

    void noArchiveIsInvalidFormat()
    {
        QFETCH(QByteArray, Bytes);
        QVERIFY_THROWS_EXCEPTION(EDocument, TZipPackage(Bytes, FileName));
        try
        {
            TZipPackage Package(Bytes, FileName);
        }
        catch (const EDocument& Error)
        {
            QCOMPARE(Error.Message(), QStringLiteral("Érvénytelen dokumentum formátum: %1.").arg(FileName));
        }
    }

    void corruptDataFailsOnRead()
    {
        QByteArray Zip = MakeZip({{QStringLiteral("a.xml"), QByteArray(100000, 'q') + QByteArray("tail", 4)}});
        // The compressed data begin after the 30-byte local header and the name.
        for (qsizetype I = 40; I < 60; ++I)
            Zip[I] = char(Zip[I] ^ 0x5A);
        TZipPackage Package(Zip, FileName);
        QVERIFY_THROWS_EXCEPTION(EDocument, Package.Read(QStringLiteral("a.xml")));
    }

    void entryLimitStopsBomb()
    {
        const QByteArray Zip = Bomb(4 << 20);
        QVERIFY(Zip.size() < 64 * 1024);
        TZipPackage Package(Zip, FileName, 1 << 20, 1 << 30);
        try
        {
            Package.Read(QStringLiteral("bomb.xml"));
            QFAIL("no error");
        }
        catch (const EDocument& Error)
        {
            QVERIFY(Error.Message().contains(FileName));
            QVERIFY(Error.Message().contains(QStringLiteral("bomb.xml")));
        }
    }

    void totalLimitCountsEveryRead()
    {
        TZipPackage Package(Bomb(600 << 10), FileName, 1 << 20, 1 << 20);
        QCOMPARE(Package.Read(QStringLiteral("bomb.xml")).size(), 600 << 10);
        QVERIFY_THROWS_EXCEPTION(EDocument, Package.Read(QStringLiteral("bomb.xml")));
    }

    void entryExactlyAtLimitIsRead()
    {
        TZipPackage Package(Bomb(1 << 20), FileName, 1 << 20, 1 << 20);
        QCOMPARE(Package.Read(QStringLiteral("bomb.xml")).size(), 1 << 20);
    }
};

QTEST_GUILESS_MAIN(TestZipPackage)
#include "tst_zippackage.moc"
