#include "import/DocumentError.h"
#include "import/WordReader.h"

#include "CompoundFileBuilder.h"
#include "OfficeEncryptor.h"
#include "WordDocumentBuilder.h"
#include "ZipBuilder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace
{
QByteArray WordPackage()
{
    return MakeZip({{QStringLiteral("word/document.xml"),
        QStringLiteral(R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:body>)"
                       R"(<w:p><w:r><w:t>第一段</w:t></w:r></w:p><w:p/></w:body></w:document>)")
            .toUtf8()}});
}

const QStringList PackageLines{QStringLiteral("第一段"), QString()};

QByteArray Encrypted(const QString& Password)
{
    TOfficeEncryptor::TAgile Options;
    Options.Password = Password;
    QByteArray Info, Package;
    TOfficeEncryptor::Agile(Options, WordPackage(), Info, Package);
    return MakeCompoundFile({{QStringLiteral("EncryptionInfo"), Info}, {QStringLiteral("EncryptedPackage"), Package}});
}

const QString Cyrillic = QStringLiteral("Съешь же ещё этих мягких французских булок");

QByteArray Word95Document()
{
    TWordDocumentBuilder Builder;
    Builder.Language = 0x0419;
    Builder.CodePage = "windows-1251";
    Builder.Pieces = {{Cyrillic + QStringLiteral("\r\r"), true}};
    return Builder.BuildWord6();
}

QString Write(const QTemporaryDir& Dir, const QString& Name, const QByteArray& Content)
{
    const QString Path = Dir.filePath(Name);
    QFile File(Path);
    if (!File.open(QIODevice::WriteOnly) || File.write(Content) != Content.size())
        qFatal("cannot write test file");
    return Path;
}
} // namespace

class TestWordReader : public QObject
{
    Q_OBJECT

private slots:
    void encryptedPackage_data()
    {
        QTest::addColumn<QString>("EncryptedWith");
        QTest::addColumn<QString>("Password");
        QTest::addColumn<bool>("Opens");
        QTest::newRow("right password") << QStringLiteral("nuvex") << QStringLiteral("nuvex") << true;
        QTest::newRow("no password") << QStringLiteral("nuvex") << QString() << false;
        QTest::newRow("wrong password") << QStringLiteral("nuvex") << QStringLiteral("NUVEX") << false;
        // Excel's default password for write-protected workbooks means nothing to Word.
        QTest::newRow("Excel's default is not tried") << QStringLiteral("VelvetSweatshop") << QString() << false;
    }

    void encryptedPackage()
    {
        QFETCH(QString, EncryptedWith);
        QFETCH(QString, Password);
        QFETCH(bool, Opens);
        QTemporaryDir Dir;
        const QString Path = Write(Dir, QStringLiteral("加密.docx"), Encrypted(EncryptedWith));
        TWordReader Reader;
        if (Opens)
        {
            QCOMPARE(Reader.Read(Path, Password), PackageLines);
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

    void packageUnderOldExtensionIsRead()
    {
        QTemporaryDir Dir;
        QCOMPARE(TWordReader().Read(Write(Dir, QStringLiteral("new.doc"), WordPackage()), QString()), PackageLines);
    }

    void binaryDocuments_data()
    {
        TWordDocumentBuilder Word97;
        Word97.Pieces = {{Cyrillic + QStringLiteral("\r\r"), false}};
        QByteArray WordDocument;
        QByteArray Table;
        Word97.Build(WordDocument, Table);
        QTest::addColumn<QByteArray>("Content");
        QTest::newRow("Word 95") << MakeCompoundFile({{QStringLiteral("WordDocument"), Word95Document()}});
        QTest::newRow("Word 95, stream name in lower case")
            << MakeCompoundFile({{QStringLiteral("worddocument"), Word95Document()}});
        QTest::newRow("Word 97, stream names in lower case")
            << MakeCompoundFile({{QStringLiteral("worddocument"), WordDocument}, {QStringLiteral("1table"), Table}});
    }

    void binaryDocuments()
    {
        QFETCH(QByteArray, Content);
        QTemporaryDir Dir;
        QCOMPARE(TWordReader().Read(Write(Dir, QStringLiteral("old.doc"), Content), QString()),
            (QStringList{Cyrillic, QString()}));
    }

    void olderFormatsAreRefusedByName_data()
    {
        QTest::addColumn<QByteArray>("Content");
        QTest::addColumn<QString>("Format");
        const QByteArray Body(1000, '\0');
        QTest::newRow("Word 2.x") << QByteArray::fromHex("DBA52D00") + Body << QStringLiteral("Word 2.x");
        QTest::newRow("Word 1.x") << QByteArray::fromHex("9BA52100") + Body << QStringLiteral("Word 1.x");
        QByteArray Word2Inside = Word95Document();
        TWordDocumentBuilder::Put(Word2Inside, 2, TWordDocumentBuilder::UInt16(45));
        QTest::newRow("Word 2.x version inside a compound file")
            << MakeCompoundFile({{QStringLiteral("WordDocument"), Word2Inside}}) << QStringLiteral("Word 2.x");
    }

    void olderFormatsAreRefusedByName()
    {
        QFETCH(QByteArray, Content);
        QFETCH(QString, Format);
        QTemporaryDir Dir;
        const QString Path = Write(Dir, QStringLiteral("旧文档.doc"), Content);
        try
        {
            TWordReader().Read(Path, QString());
            QFAIL("no error");
        }
        catch (const EDocument& Error)
        {
            const QString Message = Error.Message();
            QVERIFY2(Message.contains(Path) && Message.contains(Format) && Message.contains(QStringLiteral(".docx"))
                    && !Message.contains(QStringLiteral("已损坏")) && !Message.contains(QStringLiteral("Érvénytelen")),
                qPrintable(Message));
        }
    }

    void noDocumentIsInvalidFormat_data()
    {
        QTest::addColumn<QByteArray>("Content");
        QTest::newRow("control characters") << QByteArrayLiteral("\x01\x02 no text\r\n");
        QTest::newRow("truncated package") << WordPackage().left(40);
        QTest::newRow("workbook package")
            << MakeZip({{QStringLiteral("xl/workbook.xml"), QByteArrayLiteral("<workbook/>")}});
    }

    void noDocumentIsInvalidFormat()
    {
        QFETCH(QByteArray, Content);
        QTemporaryDir Dir;
        const QString Path = Write(Dir, QStringLiteral("x.docx"), Content);
        try
        {
            TWordReader().Read(Path, QString());
            QFAIL("no error");
        }
        catch (const EDocument& Error)
        {
            QCOMPARE(Error.Message(), QStringLiteral("Érvénytelen dokumentum formátum: %1.").arg(Path));
        }
    }
};

QTEST_GUILESS_MAIN(TestWordReader)
#include "tst_wordreader.moc"
