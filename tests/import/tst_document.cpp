#include "import/Document.h"
#include "import/DocumentError.h"
#include "import/DocumentReader.h"

#include "model/InvalidOperation.h"
#include "model/OSError.h"

#include "RtfSamples.h"
#include "Xml2003Samples.h"
#include "ZipBuilder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace
{
QStringList LinesOf(const TDocument& Document)
{
    QStringList Lines;
    for (qsizetype I = 0; I < Document.Count(); ++I)
        Lines.append(Document.Strings(I));
    return Lines;
}

class TFiles
{
public:
    QString Write(const QString& Name, const QByteArray& Content)
    {
        const QString Path = FDir.filePath(Name);
        QFile File(Path);
        if (!File.open(QIODevice::WriteOnly) || File.write(Content) != Content.size())
            qFatal("cannot write test file");
        return Path;
    }

private:
    QTemporaryDir FDir;
};

QByteArray Utf16(const QString& Text, bool BigEndian)
{
    QByteArray Bytes = BigEndian ? QByteArrayLiteral("\xFE\xFF") : QByteArrayLiteral("\xFF\xFE");
    for (QChar C : Text)
    {
        const char High = char(C.unicode() >> 8), Low = char(C.unicode() & 0xFF);
        Bytes += BigEndian ? QByteArray{&High, 1} + QByteArray{&Low, 1} : QByteArray{&Low, 1} + QByteArray{&High, 1};
    }
    return Bytes;
}

const QByteArray MicroDvd = QByteArrayLiteral("{1}{1}25\r\n{10}{20}Hello|World\r\n{10}Hello\r\nplain|text\r\n"
                                              "{30}{40}{y:i}Text\r\n{50}{60}\r\n");
} // namespace

class TestDocument : public QObject
{
    Q_OBJECT

private slots:
    void extension_data()
    {
        QTest::addColumn<QString>("FileName");
        QTest::addColumn<QString>("Expected");
        QTest::newRow("lower") << QStringLiteral("/a/x.sub") << QStringLiteral(".SUB");
        QTest::newRow("mixed") << QStringLiteral("x.Sub") << QStringLiteral(".SUB");
        QTest::newRow("last dot") << QStringLiteral("x.tar.DocX") << QStringLiteral(".DOCX");
        QTest::newRow("dot in folder only") << QStringLiteral("/a.b/name") << QString();
        QTest::newRow("none") << QStringLiteral("name") << QString();
        QTest::newRow("trailing dot") << QStringLiteral("name.") << QStringLiteral(".");
        QTest::newRow("non-ASCII kept") << QStringLiteral("x.süb") << QStringLiteral(".SüB");
    }

    void extension()
    {
        QFETCH(QString, FileName);
        QFETCH(QString, Expected);
        QCOMPARE(TDocument::Extension(FileName), Expected);
    }

    // The same bytes tell which reader a name chose: only the MicroDVD reader replaces "|"
    // and drops the frame groups, the Excel reader keeps the first field of comma-separated
    // text, the Word reader takes the text as it is, like the plain text reader.
    void readerChosenByExtension_data()
    {
        QTest::addColumn<QString>("Name");
        QTest::addColumn<QString>("Line");
        const QString Text = QStringLiteral("{10}{20}a|b,c");
        QTest::newRow("x.sub") << QStringLiteral("x.sub") << QStringLiteral("a b,c");
        QTest::newRow("x.Sub") << QStringLiteral("x.Sub") << QStringLiteral("a b,c");
        QTest::newRow("x.SUB") << QStringLiteral("x.SUB") << QStringLiteral("a b,c");
        QTest::newRow("x.srt") << QStringLiteral("x.srt") << Text;
        QTest::newRow("x.docm") << QStringLiteral("x.docm") << Text;
        QTest::newRow("no extension") << QStringLiteral("x") << Text;
        QTest::newRow("x.sub.txt") << QStringLiteral("x.sub.txt") << Text;
        QTest::newRow("x.doc") << QStringLiteral("x.doc") << Text;
        QTest::newRow("x.DOCX") << QStringLiteral("x.DOCX") << Text;
        QTest::newRow("x.xls") << QStringLiteral("x.xls") << QStringLiteral("{10}{20}a|b");
        QTest::newRow("x.Xlsx") << QStringLiteral("x.Xlsx") << QStringLiteral("{10}{20}a|b");
    }

    void readerChosenByExtension()
    {
        QFETCH(QString, Name);
        QFETCH(QString, Line);
        TFiles Files;
        TDocument Document;
        Document.Load(Files.Write(Name, QByteArrayLiteral("{10}{20}a|b,c\n")));
        QCOMPARE(LinesOf(Document), QStringList{Line});
    }

    void encodingAndLines_data()
    {
        QTest::addColumn<QByteArray>("Content");
        QTest::addColumn<QStringList>("Expected");
        const QString Text = QStringLiteral("第一行\r\nSecond\r\n\r\nFourth – line\r\n");
        const QStringList Four{QStringLiteral("第一行"), QStringLiteral("Second"), QString(), QStringLiteral("Fourth – line")};
        QTest::newRow("UTF-8 mark") << QByteArray("\xEF\xBB\xBF") + Text.toUtf8() << Four;
        QTest::newRow("UTF-16 LE mark") << Utf16(Text, false) << Four;
        QTest::newRow("UTF-16 BE mark") << Utf16(Text, true) << Four;
        QTest::newRow("UTF-8 without mark") << Text.toUtf8() << Four;
        QTest::newRow("legacy without mark") << QByteArray("\xB5\xDA\xD2\xBB\xD0\xD0\nSecond\n\nFourth \xA8\x43 line") << Four;
        QTest::newRow("mixed breaks") << QByteArrayLiteral("a\rb\nc\r\nd\n\re")
                                      << QStringList{"a", "b", "c", "d", "", "e"};
        QTest::newRow("no final break") << QByteArrayLiteral("a\nb") << QStringList{"a", "b"};
        QTest::newRow("final CR") << QByteArrayLiteral("a\r") << QStringList{"a"};
        QTest::newRow("only a break") << QByteArrayLiteral("\r\n") << QStringList{""};
        QTest::newRow("two final breaks") << QByteArrayLiteral("a\n\n") << QStringList{"a", ""};
        QTest::newRow("empty") << QByteArray() << QStringList{};
        QTest::newRow("mark only") << QByteArrayLiteral("\xFF\xFE") << QStringList{};
        QTest::newRow("NUL ends the text") << QByteArray("a\nb\0c\nd", 7) << QStringList{"a", "b"};
        QTest::newRow("blanks kept") << QByteArrayLiteral("  x  \n\t") << QStringList{"  x  ", "\t"};
        QTest::newRow("second mark kept") << QByteArrayLiteral("\xEF\xBB\xBF\xEF\xBB\xBFx")
                                          << QStringList{QStringLiteral("\uFEFFx")};
    }

    void encodingAndLines()
    {
        QFETCH(QByteArray, Content);
        QFETCH(QStringList, Expected);
        TFiles Files;
        TDocument Document(QByteArrayLiteral("GB18030"));
        Document.Load(Files.Write(QStringLiteral("t.txt"), Content));
        QCOMPARE(LinesOf(Document), Expected);
    }

    void legacyCodecIsInjected()
    {
        TFiles Files;
        const QString Path = Files.Write(QStringLiteral("h.txt"), QByteArrayLiteral("\xF5r\xFB"));
        TDocument Document(QByteArrayLiteral("windows-1250"));
        Document.Load(Path);
        QCOMPARE(LinesOf(Document), QStringList{QStringLiteral("őrű")});
        Document.SetLegacyCodec(QByteArrayLiteral("windows-1252"));
        Document.Load(Path);
        QCOMPARE(LinesOf(Document), QStringList{QStringLiteral("õrû")});
    }

    void microDvdBraceRule()
    {
        TFiles Files;
        TDocument Document;
        QStringList Notified;
        Document.OnLoad = [&](const QString& Text, qint32, qint32, bool&) { Notified.append(Text); };
        Document.Load(Files.Write(QStringLiteral("m.sub"), MicroDvd));
        QCOMPARE(LinesOf(Document), (QStringList{"25", "Hello World", "{10}Hello", "plain text", "{y:i}Text", ""}));
        QCOMPARE(Notified, (QStringList{"{1}{1}25", "{10}{20}Hello World", "{10}Hello", "plain text",
                               "{30}{40}{y:i}Text", "{50}{60}"}));
    }

    void notificationAndStop_data()
    {
        QTest::addColumn<int>("StopAt");
        QTest::addColumn<QStringList>("Kept");
        QTest::newRow("never") << 0 << QStringList{"a", "b", "c"};
        QTest::newRow("line 1") << 1 << QStringList{};
        QTest::newRow("line 2") << 2 << QStringList{"a"};
        QTest::newRow("line 3") << 3 << QStringList{"a", "b"};
    }

    void notificationAndStop()
    {
        QFETCH(int, StopAt);
        QFETCH(QStringList, Kept);
        TFiles Files;
        TDocument Document;
        QList<qint32> Indexes;
        Document.OnLoad = [&](const QString& Text, qint32 Index, qint32 Count, bool& Stop) {
            QCOMPARE(Count, 3);
            QCOMPARE(Document.Count(), Index - 1); // notified before the line is added
            QCOMPARE(Text, QString(QChar(u'a' + Index - 1)));
            Indexes.append(Index);
            if (Index == StopAt)
                Stop = true;
        };
        Document.Load(Files.Write(QStringLiteral("s.txt"), QByteArrayLiteral("a\nb\nc\n")));
        QCOMPARE(LinesOf(Document), Kept);
        QCOMPARE(Indexes.size(), StopAt == 0 ? 3 : StopAt);
    }

    void reloadReplacesLines()
    {
        TFiles Files;
        TDocument Document;
        Document.Load(Files.Write(QStringLiteral("1.txt"), QByteArrayLiteral("one\ntwo\n")));
        Document.Load(Files.Write(QStringLiteral("2.txt"), QByteArrayLiteral("three\n")));
        QCOMPARE(LinesOf(Document), QStringList{"three"});
    }

    void missingFileFailsAndLeavesListEmpty()
    {
        TFiles Files;
        TDocument Document;
        Document.Load(Files.Write(QStringLiteral("1.txt"), QByteArrayLiteral("one\n")));
        const QString Missing = QDir::tempPath() + QStringLiteral("/不存在-nuvex/none.txt");
        try
        {
            Document.Load(Missing);
            QFAIL("no error");
        }
        catch (const EOSError& Error)
        {
            QVERIFY(Error.Message().contains(Missing));
        }
        QCOMPARE(Document.Count(), 0);
    }

    void directoryIsNoDocument()
    {
        QTemporaryDir Dir;
        TDocument Document;
        QVERIFY_THROWS_EXCEPTION(EError, Document.Load(Dir.path()));
        QCOMPARE(Document.Count(), 0);
    }

    void fileOverOneGibibyteIsRefused()
    {
        QTemporaryDir Dir;
        const QString Path = Dir.filePath(QStringLiteral("huge.txt"));
        QFile File(Path);
        // Sparse: the size is what counts, not the blocks on disk.
        QVERIFY(File.open(QIODevice::WriteOnly) && File.resize(TDocumentReader::MaximumFileSize + 1));
        File.close();
        TDocument Document;
        try
        {
            Document.Load(Path);
            QFAIL("no error");
        }
        catch (const EDocument& Error)
        {
            QVERIFY(Error.Message().contains(Path));
        }
        QCOMPARE(Document.Count(), 0);
    }

    void tooManyLinesAreRefused_data()
    {
        QTest::addColumn<QString>("Name");
        QTest::newRow("text") << QStringLiteral("many.txt");
        QTest::newRow("MicroDVD") << QStringLiteral("many.sub");
    }

    void tooManyLinesAreRefused()
    {
        QFETCH(QString, Name);
        TFiles Files;
        const QString Path = Files.Write(Name, QByteArray(TDocumentReader::MaximumLines + 1, '\n'));
        TDocument Document;
        Document.Add(QStringLiteral("from before"));
        bool Notified = false;
        Document.OnLoad = [&](const QString&, qint32, qint32, bool&) { Notified = true; };
        try
        {
            Document.Load(Path);
            QFAIL("no error");
        }
        catch (const EDocument& Error)
        {
            QVERIFY(Error.Message().contains(Path));
        }
        QCOMPARE(Document.Count(), 0);
        QVERIFY(!Notified);
    }

    void linesUpToTheLimitAreRead()
    {
        TFiles Files;
        TDocument Document;
        Document.Load(Files.Write(QStringLiteral("limit.txt"), QByteArray(TDocumentReader::MaximumLines, '\n')));
        QCOMPARE(Document.Count(), TDocumentReader::MaximumLines);
    }

    void passwordIgnoredForText()
    {
        TFiles Files;
        TDocument Document;
        Document.Load(Files.Write(QStringLiteral("p.sub"), MicroDvd), QStringLiteral("secret"));
        QCOMPARE(Document.Count(), 6);
        Document.Load(Files.Write(QStringLiteral("p.txt"), QByteArrayLiteral("x\n")), QStringLiteral("secret"));
        QCOMPARE(LinesOf(Document), QStringList{"x"});
    }

    void binaryTextYieldsLines()
    {
        QByteArray Binary;
        for (int I = 1; I < 256; ++I)
            Binary += char(I);
        TFiles Files;
        TDocument Document(QByteArrayLiteral("GB18030"));
        Document.Load(Files.Write(QStringLiteral("b.bin"), Binary.repeated(50)));
        QVERIFY(Document.Count() > 50);
    }

    void officeDocumentThroughDocument()
    {
        const QByteArray Docx = MakeZip({{QStringLiteral("word/document.xml"),
            QByteArrayLiteral("<w:document xmlns:w=\"w\"><w:body><w:p><w:r><w:t>一</w:t></w:r></w:p><w:p/></w:body></w:document>")}});
        TFiles Files;
        TDocument Document;
        qint32 Expected = -1;
        Document.OnLoad = [&](const QString&, qint32, qint32 Count, bool&) { Expected = Count; };
        Document.Load(Files.Write(QStringLiteral("d.docx"), Docx));
        QCOMPARE(LinesOf(Document), (QStringList{QStringLiteral("一"), QString()}));
        QCOMPARE(Expected, 2);
    }

    void officeContentDecidesFormat()
    {
        // A workbook saved with a .doc name is still no Word document.
        const QByteArray Xlsx = MakeZip({{QStringLiteral("xl/workbook.xml"), QByteArrayLiteral("<workbook/>")}});
        TFiles Files;
        TDocument Document;
        QVERIFY_THROWS_EXCEPTION(EDocument, Document.Load(Files.Write(QStringLiteral("w.doc"), Xlsx)));
        QVERIFY_THROWS_EXCEPTION(EDocument, Document.Load(Files.Write(QStringLiteral("e.xlsx"), QByteArray())));
    }

    // The extension chooses the reader; the reader reads what Word or Excel would open.
    void officeContentUnderOtherExtensions_data()
    {
        using namespace Xml2003Samples;
        QTest::addColumn<QString>("Name");
        QTest::addColumn<QByteArray>("Content");
        QTest::addColumn<QStringList>("Expected"); // empty: refused, naming what the file is
        const QByteArray Rtf = RtfSamples::Document("\\ansi", "", "RTF\\par");
        const QByteArray Excel = Workbook(Worksheet(Row(Text(QStringLiteral("Excel")))));
        QTest::newRow("RTF as .doc") << QStringLiteral("r.doc") << Rtf << QStringList{QStringLiteral("RTF")};
        QTest::newRow("RTF as .docx") << QStringLiteral("r.docx") << Rtf << QStringList{QStringLiteral("RTF")};
        QTest::newRow("Word XML as .doc") << QStringLiteral("w.doc") << WordDocument(P(R("Word"))) << QStringList{QStringLiteral("Word")};
        QTest::newRow("Excel XML as .xls") << QStringLiteral("e.xls") << Excel << QStringList{QStringLiteral("Excel")};
        QTest::newRow("RTF as .xls") << QStringLiteral("r.xls") << Rtf << QStringList{};
        QTest::newRow("Excel XML as .doc") << QStringLiteral("e.doc") << Excel << QStringList{};
        QTest::newRow("Word XML as .xlsx") << QStringLiteral("w.xlsx") << WordDocument(P(R("Word"))) << QStringList{};
    }

    void officeContentUnderOtherExtensions()
    {
        QFETCH(QString, Name);
        QFETCH(QByteArray, Content);
        QFETCH(QStringList, Expected);
        TFiles Files;
        const QString Path = Files.Write(Name, Content);
        TDocument Document;
        try
        {
            Document.Load(Path);
            QCOMPARE(LinesOf(Document), Expected);
        }
        catch (const EDocument& Error)
        {
            QVERIFY2(Expected.isEmpty(), qPrintable(Error.Message()));
            QVERIFY2(Error.Message().contains(Path) && Error.Message().contains(QStringLiteral("，不是 ")),
                qPrintable(Error.Message()));
        }
    }

    void stringsOutOfRangeFails()
    {
        TDocument Document;
        Document.Add(QStringLiteral("a"));
        QCOMPARE(Document.Strings(0), QStringLiteral("a"));
        QCOMPARE(Document[0], QStringLiteral("a"));
        QVERIFY_THROWS_EXCEPTION(EInvalidOp, Document[1]);
        QVERIFY_THROWS_EXCEPTION(EInvalidOp, Document.Strings(1));
        QVERIFY_THROWS_EXCEPTION(EInvalidOp, Document.Strings(-1));
        Document.Clear();
        QCOMPARE(Document.Count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestDocument)
#include "tst_document.moc"
