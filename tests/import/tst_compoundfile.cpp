#include "import/CompoundFile.h"
#include "import/DocumentError.h"

#include "CompoundFileBuilder.h"

#include <QLoggingCategory>
#include <QTest>
#include <QtEndian>

namespace {

const QString FileName = QStringLiteral("/docs/Film.doc");

QByteArray Pattern(qsizetype Size)
{
    QByteArray Data(Size, Qt::Uninitialized);
    for (qsizetype Index = 0; Index < Size; ++Index)
        Data[Index] = char(Index * 7 + Index / 251);
    return Data;
}

quint32 ReadU32(const QByteArray& Bytes, qsizetype Offset)
{
    return qFromLittleEndian<quint32>(Bytes.constData() + Offset);
}

void WriteU32(QByteArray& Bytes, qsizetype Offset, quint32 Value)
{
    qToLittleEndian(Value, Bytes.data() + Offset);
}

// A compound file with one stream big enough to live in regular sectors, and where the
// file allocation table entry of that stream's first sector sits.
struct TSample
{
    QByteArray Bytes;
    qsizetype SectorSize = 0;
    bool Found = false;
    quint32 FirstSector = 0;
    qsizetype Entry = 0;
    qsizetype FirstSectorEntry = 0;
};

TSample MakeSample()
{
    TSample Sample;
    Sample.Bytes = MakeCompoundFile({{QStringLiteral("Big"), Pattern(20000)}});
    Sample.SectorSize = qsizetype(1) << qFromLittleEndian<quint16>(Sample.Bytes.constData() + 0x1E);
    const auto SectorOffset = [&](quint32 Sector) { return qsizetype(Sector + 1) * Sample.SectorSize; };
    const quint32 FirstFatSector = ReadU32(Sample.Bytes, 0x4C);
    const qsizetype Directory = SectorOffset(ReadU32(Sample.Bytes, 0x30));
    // Entry 0 is the root; the stream is the first entry after it whose name is "Big".
    for (qsizetype Entry = Directory + 128; Entry < Directory + Sample.SectorSize; Entry += 128) {
        if (QString::fromUtf16(reinterpret_cast<const char16_t*>(Sample.Bytes.constData() + Entry), 3)
            == QStringLiteral("Big")) {
            Sample.FirstSector = ReadU32(Sample.Bytes, Entry + 0x74);
            Sample.Entry = Entry;
            Sample.Found = true;
            break;
        }
    }
    Sample.FirstSectorEntry = SectorOffset(FirstFatSector) + qsizetype(Sample.FirstSector) * 4;
    return Sample;
}

// Opens Bytes and reads the stream; returns the error message, or an empty text when
// the stream was read whole and unchanged.
QString OpenAndRead(const QByteArray& Bytes)
{
    try {
        const TCompoundFile File(Bytes, FileName);
        const QByteArray Stream = File.ReadStream(QStringLiteral("Big"));
        return Stream == Pattern(20000) ? QString() : QStringLiteral("stream read wrongly without an error");
    } catch (const EDocument& Error) {
        return Error.Message();
    }
}

} // namespace

class TestCompoundFile : public QObject
{
    Q_OBJECT

private slots:
    void readsIntactStreams()
    {
        const TSample Sample = MakeSample();
        QVERIFY(Sample.Found);
        QCOMPARE(OpenAndRead(Sample.Bytes), QString());
    }

    // Damaged allocation chains must end in an error that names the file, never in a
    // hang or a read outside the buffer (the sanitizer run watches for that).
    void damagedChainsNameTheFile_data()
    {
        QTest::addColumn<QString>("Damage");
        QTest::newRow("chain loops back to its first sector") << QStringLiteral("cycle");
        QTest::newRow("chain points past the end of the file") << QStringLiteral("out of range");
        QTest::newRow("chain ends early") << QStringLiteral("early end");
        QTest::newRow("file cut in half") << QStringLiteral("truncated");
    }

    void damagedChainsNameTheFile()
    {
        QFETCH(QString, Damage);
        TSample Sample = MakeSample();
        QVERIFY(Sample.Found);
        if (Damage == QStringLiteral("cycle"))
            WriteU32(Sample.Bytes, Sample.FirstSectorEntry, Sample.FirstSector);
        else if (Damage == QStringLiteral("out of range"))
            WriteU32(Sample.Bytes, Sample.FirstSectorEntry, 0x00FFFFF0);
        else if (Damage == QStringLiteral("early end"))
            WriteU32(Sample.Bytes, Sample.FirstSectorEntry, 0xFFFFFFFE);
        else
            Sample.Bytes.truncate(Sample.Bytes.size() / 2);
        const QString Message = OpenAndRead(Sample.Bytes);
        QVERIFY2(!Message.isEmpty(), "damage went unnoticed");
        QVERIFY2(Message.contains(FileName), qPrintable(Message));
    }

    // Other programs spell the stream names in their own case; the format ignores case.
    void streamNamesIgnoreCase_data()
    {
        QTest::addColumn<QString>("Stored");
        QTest::addColumn<QString>("Asked");
        QTest::addColumn<bool>("Found");
        QTest::newRow("upper case workbook") << QStringLiteral("WORKBOOK") << QStringLiteral("Workbook") << true;
        QTest::newRow("lower case document") << QStringLiteral("worddocument") << QStringLiteral("WordDocument") << true;
        QTest::newRow("mixed case encryption info") << QStringLiteral("encryptionINFO") << QStringLiteral("EncryptionInfo") << true;
        QTest::newRow("prefix is another stream") << QStringLiteral("Book") << QStringLiteral("Workbook") << false;
        QTest::newRow("longer name is another stream") << QStringLiteral("WorkbookX") << QStringLiteral("Workbook") << false;
    }

    void streamNamesIgnoreCase()
    {
        QFETCH(QString, Stored);
        QFETCH(QString, Asked);
        QFETCH(bool, Found);
        const TCompoundFile File(MakeCompoundFile({{Stored, Pattern(100)}}), FileName);
        QCOMPARE(File.HasStream(Asked), Found);
        if (Found)
            QCOMPARE(File.ReadStream(Asked), Pattern(100));
        else
            QVERIFY_THROWS_EXCEPTION(EDocument, File.ReadStream(Asked));
    }

    // libgsf complains about odd entries on standard error; the user sees our messages only.
    void libgsfWarningsStayOffTheTerminal()
    {
        TSample Sample = MakeSample();
        QVERIFY(Sample.Found);
        Sample.Bytes[Sample.Entry + 0x42] = char(3);
        static QStringList Captured;
        Captured.clear();
        QLoggingCategory::setFilterRules(QStringLiteral("nuvex.import.libgsf.debug=true"));
        const QtMessageHandler Previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& Message) { Captured.append(Message); });
        OpenAndRead(Sample.Bytes);
        qInstallMessageHandler(Previous);
        QLoggingCategory::setFilterRules(QString());
        QVERIFY2(Captured.join(u'\n').contains(QStringLiteral("Unknown stream type")), qPrintable(Captured.join(u'\n')));
    }

    void notACompoundFileIsInvalidFormat()
    {
        const QString Message = OpenAndRead(QByteArray("PK\x03\x04 not an OLE file"));
        QCOMPARE(Message, QStringLiteral("Érvénytelen dokumentum formátum: %1.").arg(FileName));
    }
};

QTEST_MAIN(TestCompoundFile)
#include "tst_compoundfile.moc"
