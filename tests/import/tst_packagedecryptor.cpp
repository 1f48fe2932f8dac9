#include "import/DocumentError.h"
#include "import/PackageDecryptor.h"

#include "OfficeEncryptor.h"
#include "ZipBuilder.h"

#include <QTest>

namespace
{
const QString FileName = QStringLiteral("/docs/加密.docx");

// Larger than one 4096-byte segment and not a whole number of AES blocks, so that several
// IVs and the cut after the last block are exercised.
QByteArray SamplePackage()
{
    QByteArray Text;
    for (int I = 0; I < 900; ++I)
        Text += QByteArray::number(I * 7919 % 1000) + ' ';
    const QByteArray Zip = MakeZip({{QStringLiteral("word/document.xml"), Text}});
    return Zip + QByteArray(std::max<qsizetype>(0, 9003 - Zip.size()), 'z');
}

struct TStreams
{
    QByteArray Info;
    QByteArray Package;
};

TStreams Agile(const TOfficeEncryptor::TAgile& Options = {})
{
    TStreams Streams;
    TOfficeEncryptor::Agile(Options, SamplePackage(), Streams.Info, Streams.Package);
    return Streams;
}

QString ErrorOf(const TStreams& Streams, const QStringList& Passwords)
{
    try
    {
        TPackageDecryptor::Decrypt(Streams.Info, Streams.Package, Passwords, FileName);
    }
    catch (const EDocument& Error)
    {
        return Error.Message();
    }
    return QString();
}

QByteArray WithAttribute(QByteArray Info, const QByteArray& Name, const QByteArray& Value)
{
    // Changes the attribute of the password key encryptor, which follows the key data.
    const qsizetype Start = Info.lastIndexOf(" " + Name + "=\"") + Name.size() + 3;
    const qsizetype End = Info.indexOf('"', Start);
    return Info.replace(Start, End - Start, Value);
}
} // namespace

class TestPackageDecryptor : public QObject
{
    Q_OBJECT

private slots:
    void decryptsAgilePackages_data()
    {
        QTest::addColumn<QByteArray>("Hash");
        QTest::addColumn<int>("KeyBits");
        QTest::newRow("SHA-1, AES-128") << QByteArray("SHA1") << 128;
        QTest::newRow("SHA-256, AES-192") << QByteArray("SHA256") << 192;
        QTest::newRow("SHA-384, AES-256") << QByteArray("SHA384") << 256;
        QTest::newRow("SHA-512, AES-256") << QByteArray("SHA512") << 256;
    }

    void decryptsAgilePackages()
    {
        QFETCH(QByteArray, Hash);
        QFETCH(int, KeyBits);
        TOfficeEncryptor::TAgile Options;
        Options.HashAlgorithm = Hash;
        Options.KeyBits = KeyBits;
        const TStreams Streams = Agile(Options);
        QCOMPARE(TPackageDecryptor::Decrypt(Streams.Info, Streams.Package, {QStringLiteral("nuvex")}, FileName),
            SamplePackage());
    }

    void decryptsStandardPackages_data()
    {
        QTest::addColumn<int>("KeyBits");
        QTest::addColumn<quint16>("Major");
        QTest::newRow("AES-128, Office 2007") << 128 << quint16(3);
        QTest::newRow("AES-256, version 4") << 256 << quint16(4);
    }

    void decryptsStandardPackages()
    {
        QFETCH(int, KeyBits);
        QFETCH(quint16, Major);
        TStreams Streams;
        TOfficeEncryptor::Standard(QStringLiteral("密码nuvex"), KeyBits, Major, SamplePackage(), Streams.Info,
            Streams.Package);
        QCOMPARE(
            TPackageDecryptor::Decrypt(Streams.Info, Streams.Package, {QStringLiteral("密码nuvex")}, FileName),
            SamplePackage());
        QVERIFY(ErrorOf(Streams, {QStringLiteral("nuvex")}).contains(QStringLiteral("密码错误")));
    }

    void triesPasswordsInOrder()
    {
        const TStreams Streams = Agile();
        QCOMPARE(TPackageDecryptor::Decrypt(Streams.Info, Streams.Package,
                     {QString(), QStringLiteral("wrong"), QStringLiteral("nuvex")}, FileName),
            SamplePackage());
    }

    void missingOrWrongPasswordNamesTheFile_data()
    {
        QTest::addColumn<QStringList>("Passwords");
        QTest::addColumn<QString>("Reason");
        QTest::newRow("no password") << QStringList() << QStringLiteral("需要密码");
        QTest::newRow("empty password") << QStringList{QString()} << QStringLiteral("需要密码");
        QTest::newRow("only Excel's default")
            << QStringList{TPackageDecryptor::ExcelDefaultPassword.toString()} << QStringLiteral("需要密码");
        QTest::newRow("wrong password") << QStringList{QStringLiteral("Nuvex")} << QStringLiteral("密码错误");
        QTest::newRow("wrong password and Excel's default")
            << QStringList{QStringLiteral("x"), TPackageDecryptor::ExcelDefaultPassword.toString()}
            << QStringLiteral("密码错误");
    }

    void missingOrWrongPasswordNamesTheFile()
    {
        QFETCH(QStringList, Passwords);
        QFETCH(QString, Reason);
        const QString Message = ErrorOf(Agile(), Passwords);
        QVERIFY2(Message.contains(Reason) && Message.contains(FileName), qPrintable(Message));
    }

    void unsupportedEncryptionSaysSo_data()
    {
        const TStreams Good = Agile();
        QTest::addColumn<QByteArray>("Info");
        QTest::addColumn<QString>("Detail");
        QTest::newRow("extensible encryption") << (QByteArray::fromHex("04000300") + Good.Info.sliced(4))
                                               << QStringLiteral("可扩展加密");
        QTest::newRow("unknown version") << (QByteArray::fromHex("09000900") + Good.Info.sliced(4))
                                         << QStringLiteral("9.9");
        TOfficeEncryptor::TAgile Cfb;
        Cfb.Chaining = "ChainingModeCFB";
        QTest::newRow("CFB chaining") << Agile(Cfb).Info << QStringLiteral("ChainingModeCFB");
        TOfficeEncryptor::TAgile Des;
        Des.Cipher = "3DES";
        QTest::newRow("another cipher") << Agile(Des).Info << QStringLiteral("3DES");
        QTest::newRow("MD5 hash") << WithAttribute(Good.Info, "hashAlgorithm", "MD5") << QStringLiteral("MD5");
        QByteArray Certificate = Good.Info;
        Certificate.replace("keyEncryptor/password\">", "keyEncryptor/certificate\">");
        QTest::newRow("certificate only") << Certificate << QStringLiteral("证书");
        QByteArray Rc4 = QByteArray::fromHex("0300020004000000");
        QTest::newRow("standard with RC4") << (Rc4 + QByteArray(200, '\0')) << QStringLiteral("RC4");
    }

    void unsupportedEncryptionSaysSo()
    {
        QFETCH(QByteArray, Info);
        QFETCH(QString, Detail);
        const QString Message = ErrorOf({Info, Agile().Package}, {QStringLiteral("nuvex")});
        QVERIFY2(Message.contains(QStringLiteral("不受支持")) && Message.contains(Detail) && Message.contains(FileName),
            qPrintable(Message));
    }

    void damagedStreamsAreReported_data()
    {
        const TStreams Good = Agile();
        QTest::addColumn<QByteArray>("Info");
        QTest::addColumn<QByteArray>("Package");
        QTest::newRow("empty information") << QByteArray() << Good.Package;
        QTest::newRow("version cut") << Good.Info.first(3) << Good.Package;
        QTest::newRow("XML cut") << Good.Info.first(Good.Info.size() / 2) << Good.Package;
        QTest::newRow("no XML") << Good.Info.first(8) << Good.Package;
        QTest::newRow("spin count beyond the limit")
            << WithAttribute(Good.Info, "spinCount", "4000000000") << Good.Package;
        QTest::newRow("spin count not a number") << WithAttribute(Good.Info, "spinCount", "many") << Good.Package;
        QTest::newRow("salt not base64") << WithAttribute(Good.Info, "saltValue", "@@@@") << Good.Package;
        QTest::newRow("salt size differs") << WithAttribute(Good.Info, "saltSize", "17") << Good.Package;
        QTest::newRow("hash size differs") << WithAttribute(Good.Info, "hashSize", "20") << Good.Package;
        QTest::newRow("key value not whole blocks")
            << WithAttribute(Good.Info, "encryptedKeyValue", "AAECAwQFBgcICQ==") << Good.Package;
        QTest::newRow("package without length") << Good.Info << Good.Package.first(5);
        QTest::newRow("package cut") << Good.Info << Good.Package.first(Good.Package.size() - 16);
        QByteArray Huge = Good.Package;
        Huge.replace(0, 8, TOfficeEncryptor::UInt64(~quint64(0)));
        QTest::newRow("length field far too large") << Good.Info << Huge;
        TStreams Standard;
        TOfficeEncryptor::Standard(QStringLiteral("nuvex"), 128, 4, SamplePackage(), Standard.Info, Standard.Package);
        QTest::newRow("standard header cut") << Standard.Info.first(40) << Standard.Package;
        QTest::newRow("standard verifier cut") << Standard.Info.chopped(1) << Standard.Package;
        QByteArray Mismatch = Standard.Info;
        Mismatch.replace(28, 4, TOfficeEncryptor::UInt32(256));
        QTest::newRow("standard key size against algorithm") << Mismatch << Standard.Package;
    }

    void damagedStreamsAreReported()
    {
        QFETCH(QByteArray, Info);
        QFETCH(QByteArray, Package);
        const QString Message = ErrorOf({Info, Package}, {QStringLiteral("nuvex")});
        QVERIFY2(Message.contains(QStringLiteral("已损坏")) && Message.contains(FileName), qPrintable(Message));
    }
};

QTEST_GUILESS_MAIN(TestPackageDecryptor)
#include "tst_packagedecryptor.moc"
