#include "import/DocumentError.h"
#include "import/ExcelReader.h"

#include "CompoundFileBuilder.h"
#include "OfficeEncryptor.h"
#include "ZipBuilder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace
{
const QStringList SheetLines{QStringLiteral("第一"), QStringLiteral("second")};

QByteArray Workbook()
{
    return MakeZip({{QStringLiteral("xl/workbook.xml"),
                       R"(<workbook xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
                       R"(<sheets><sheet name="S" sheetId="1" r:id="rId1"/></sheets></workbook>)"},
        {QStringLiteral("xl/_rels/workbook.xml.rels"),
            R"(<Relationships><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/></Relationships>)"},
        {QStringLiteral("xl/worksheets/sheet1.xml"),
            QStringLiteral(R"(<worksheet><sheetData><row r="1"><c r="A1" t="inlineStr"><is><t>第一</t></is></c></row>)"
                           R"(<row r="2"><c r="A2" t="inlineStr"><is><t>second</t></is></c></row></sheetData></worksheet>)")
                .toUtf8()}});
}

QByteArray AgileEncrypted(const QByteArray& Package, const QString& Password)
{
    TOfficeEncryptor::TAgile Options;
    Options.Password = Password;
    QByteArray Info, Encrypted;
    TOfficeEncryptor::Agile(Options, Package, Info, Encrypted);
    return MakeCompoundFile({{QStringLiteral("EncryptionInfo"), Info}, {QStringLiteral("EncryptedPackage"), Encrypted}});
}

QByteArray StandardEncrypted(const QByteArray& Package, const QString& Password)
{
    QByteArray Info, Encrypted;
    TOfficeEncryptor::Standard(Password, 128, 4, Package, Info, Encrypted);
    return MakeCompoundFile({{QStringLiteral("EncryptionInfo"), Info}, {QStringLiteral("EncryptedPackage"), Encrypted}});
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
} // namespace

class TestExcelReader : public QObject
{
    Q_OBJECT

private slots:
    void encryptedWorkbook_data()
    {
        QTest::addColumn<QByteArray>("Content");
        QTest::addColumn<QString>("Password");
        QTest::addColumn<bool>("Opens");
        const QByteArray Velvet = AgileEncrypted(Workbook(), QStringLiteral("VelvetSweatshop"));
        const QByteArray User = AgileEncrypted(Workbook(), QStringLiteral("秘密 nuvex"));
        QTest::newRow("write-protected, no password") << Velvet << QString() << true;
        QTest::newRow("write-protected, another password") << Velvet << QStringLiteral("other") << true;
        QTest::newRow("write-protected, standard encryption")
            << StandardEncrypted(Workbook(), QStringLiteral("VelvetSweatshop")) << QString() << true;
        QTest::newRow("password given") << User << QStringLiteral("秘密 nuvex") << true;
        QTest::newRow("standard encryption, password given")
            << StandardEncrypted(Workbook(), QStringLiteral("nuvex")) << QStringLiteral("nuvex") << true;
        QTest::newRow("password missing") << User << QString() << false;
        QTest::newRow("password wrong") << User << QStringLiteral("秘密 Nuvex") << false;
    }

    void encryptedWorkbook()
    {
        QFETCH(QByteArray, Content);
        QFETCH(QString, Password);
        QFETCH(bool, Opens);
        TFiles Files;
        const QString Path = Files.Write(QStringLiteral("保护.xlsx"), Content);
        TExcelReader Reader;
        if (Opens)
        {
            QCOMPARE(Reader.Read(Path, Password), SheetLines);
            return;
        }
        try
        {
            Reader.Read(Path, Password);
            QFAIL("no error");
        }
        catch (const EError& Error)
        {
            QVERIFY2(Error.Message().contains(Path), qPrintable(Error.Message()));
        }
    }

    void contentDecidesFormat()
    {
        TFiles Files;
        TExcelReader Reader;
        // A workbook package saved under the old extension is still read.
        QCOMPARE(Reader.Read(Files.Write(QStringLiteral("new.xls"), Workbook()), QString()), SheetLines);
    }

    void noWorkbookIsInvalidFormat_data()
    {
        QTest::addColumn<QByteArray>("Content");
        QTest::newRow("control characters") << QByteArrayLiteral("A1;B1\x02\r\nA2;B2\r\n");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("Word package")
            << MakeZip({{QStringLiteral("word/document.xml"), QByteArrayLiteral("<document><body/></document>")}});
    }

    void noWorkbookIsInvalidFormat()
    {
        QFETCH(QByteArray, Content);
        TFiles Files;
        const QString Path = Files.Write(QStringLiteral("x.xlsx"), Content);
        try
        {
            TExcelReader().Read(Path, QString());
            QFAIL("no error");
        }
        catch (const EDocument& Error)
        {
            QCOMPARE(Error.Message(), QStringLiteral("Érvénytelen dokumentum formátum: %1.").arg(Path));
        }
    }

    void olderExcelFormatsAreRefusedByName_data()
    {
        QTest::addColumn<QByteArray>("Content");
        QTest::addColumn<QString>("Format");
        // A BOF record (number, size, version, document type) and an EOF.
        const auto Stream = [](const char* Bof, int Size) { return QByteArray(Bof, Size) + QByteArray("\x0A\x00\x00\x00", 4); };
        const QByteArray Excel4 = Stream("\x09\x04\x06\x00\x00\x00\x10\x00\x00\x00", 10);
        QTest::newRow("Excel 2.x worksheet") << Stream("\x09\x00\x04\x00\x02\x00\x10\x00", 8) << "Excel 2.x";
        QTest::newRow("Excel 3.0 chart") << Stream("\x09\x02\x06\x00\x00\x00\x20\x00\x00\x00", 10) << "Excel 3.0";
        QTest::newRow("Excel 4.0 worksheet") << Excel4 << "Excel 4.0";
        QTest::newRow("Excel 4.0 workbook") << Stream("\x09\x04\x06\x00\x00\x00\x00\x01\x00\x00", 10) << "Excel 4.0";
        QTest::newRow("Excel 4.0 in a compound file") << MakeCompoundFile({{QStringLiteral("Book"), Excel4}}) << "Excel 4.0";
    }

    void olderExcelFormatsAreRefusedByName()
    {
        QFETCH(QByteArray, Content);
        QFETCH(QString, Format);
        TFiles Files;
        const QString Path = Files.Write(QStringLiteral("旧.xls"), Content);
        try
        {
            TExcelReader().Read(Path, QString());
            QFAIL("no error");
        }
        catch (const EDocument& Error)
        {
            QCOMPARE(Error.Message(),
                QStringLiteral("无法读取 Excel 工作簿 '%1'：这是 %2 格式的文件，不受支持；请在 Excel 中将它另存为 Excel 97-2003 工作簿（.xls）或 Excel 工作簿（.xlsx）。")
                    .arg(Path, Format));
        }
    }

    void compoundFileWithoutWorkbookNamesFile()
    {
        TFiles Files;
        const QString Path = Files.Write(QStringLiteral("other.xls"),
            MakeCompoundFile({{QStringLiteral("WordDocument"), QByteArray(1024, '\0')}}));
        try
        {
            TExcelReader().Read(Path, QString());
            QFAIL("no error");
        }
        catch (const EError& Error)
        {
            QVERIFY2(Error.Message().contains(Path), qPrintable(Error.Message()));
        }
    }
};

QTEST_GUILESS_MAIN(TestExcelReader)
#include "tst_excelreader.moc"
