#include "import/MalformedDataError.h"
#include "import/Rc4CryptoApiKey.h"

#include "OpenSslCli.h"

#include <QTest>

namespace
{
const QByteArray Salt = QByteArray::fromHex("5a0f3c1e99b2740a1b2c3d4e5f607182");
const QByteArray Verifier = QByteArray::fromHex("00112233445566778899aabbccddeeff");

struct TSample
{
    QString Password;
    quint32 KeyBits = 128; // as written in the header; 0 stands for 40
    quint16 Major = 4;
};

QByteArray UInt32(quint32 Value)
{
    return TOpenSslCli::UInt32Le(Value);
}

// The block key as the published key derivation describes it, computed with the openssl tool.
QByteArray ReferenceBlockKey(const TSample& Sample, quint32 Block)
{
    const QByteArray H0 = TOpenSslCli::Digest(QStringLiteral("sha1"), Salt + TOpenSslCli::Utf16Le(Sample.Password));
    const QByteArray Final = TOpenSslCli::Digest(QStringLiteral("sha1"), H0 + UInt32(Block));
    const int KeyBytes = (Sample.KeyBits == 0 ? 40 : int(Sample.KeyBits)) / 8;
    return Final.first(KeyBytes).leftJustified(16, '\0');
}

QByteArray Header(quint32 AlgorithmId, quint32 KeyBits)
{
    const QString Provider = QStringLiteral("Microsoft Enhanced Cryptographic Provider v1.0");
    return UInt32(0x04) + UInt32(0) + UInt32(AlgorithmId) + UInt32(0x8004) + UInt32(KeyBits) + UInt32(1) + UInt32(0)
        + UInt32(0) + TOpenSslCli::Utf16Le(Provider) + QByteArray(2, '\0');
}

QByteArray EncryptionInfo(const TSample& Sample, quint32 AlgorithmId = 0x6801)
{
    const QByteArray Hash = TOpenSslCli::Digest(QStringLiteral("sha1"), Verifier);
    const QByteArray Encrypted = TOpenSslCli::Rc4(ReferenceBlockKey(Sample, 0), Verifier + Hash);
    const QByteArray HeaderBytes = Header(AlgorithmId, Sample.KeyBits);
    QByteArray Info;
    Info += char(Sample.Major);
    Info += '\0';
    Info += char(2);
    Info += '\0';
    Info += UInt32(0x04) + UInt32(quint32(HeaderBytes.size())) + HeaderBytes;
    Info += UInt32(16) + Salt + Encrypted.first(16) + UInt32(20) + Encrypted.sliced(16);
    return Info;
}

// A stream enciphered the way the binary formats do it: 512-byte blocks, each from the
// start of its own key's keystream.
QByteArray EncipherStream(const TSample& Sample, const QByteArray& Plain)
{
    QByteArray Cipher;
    for (qsizetype Offset = 0; Offset < Plain.size(); Offset += 512)
        Cipher += TOpenSslCli::Rc4(ReferenceBlockKey(Sample, quint32(Offset / 512)), Plain.mid(Offset, 512));
    return Cipher;
}

QByteArray PlainStream()
{
    QByteArray Plain;
    for (int I = 0; I < 1300; ++I)
        Plain += char(I * 7 + I / 256);
    return Plain;
}
} // namespace

class TestRc4CryptoApiKey : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!TOpenSslCli::IsAvailable())
            QSKIP("the openssl command computes the reference values");
    }

    void verifiesPassword_data()
    {
        QTest::addColumn<QString>("Password");
        QTest::addColumn<quint32>("KeyBits");
        QTest::addColumn<quint16>("Major");
        QTest::newRow("128-bit") << QStringLiteral("nuvex") << 128u << quint16(4);
        QTest::newRow("40-bit") << QStringLiteral("nuvex") << 40u << quint16(2);
        QTest::newRow("unset key size means 40-bit") << QStringLiteral("nuvex") << 0u << quint16(3);
        QTest::newRow("chinese password") << QStringLiteral("字幕密码") << 128u << quint16(4);
        QTest::newRow("empty password") << QString() << 128u << quint16(4);
    }

    void verifiesPassword()
    {
        QFETCH(QString, Password);
        QFETCH(quint32, KeyBits);
        QFETCH(quint16, Major);
        const QByteArray Info = EncryptionInfo({Password, KeyBits, Major});
        QVERIFY(TRc4CryptoApiKey::Derive(Info, Password).has_value());
        QVERIFY(!TRc4CryptoApiKey::Derive(Info, Password + QStringLiteral("x")).has_value());
        QVERIFY(!TRc4CryptoApiKey::Derive(Info, Password.toUpper() + QStringLiteral("X")).has_value());
    }

    void decryptsBlockwise_data()
    {
        QTest::addColumn<quint32>("KeyBits");
        QTest::addColumn<qint64>("From");
        QTest::addColumn<qint64>("To");
        QTest::newRow("whole stream, 128-bit") << 128u << qint64(0) << qint64(1300);
        QTest::newRow("whole stream, 40-bit") << 40u << qint64(0) << qint64(1300);
        QTest::newRow("from inside a block across two boundaries") << 128u << qint64(68) << qint64(1100);
        QTest::newRow("within one block") << 128u << qint64(600) << qint64(700);
        QTest::newRow("exactly one later block") << 40u << qint64(512) << qint64(1024);
        QTest::newRow("nothing") << 128u << qint64(700) << qint64(700);
    }

    void decryptsBlockwise()
    {
        QFETCH(quint32, KeyBits);
        QFETCH(qint64, From);
        QFETCH(qint64, To);
        const TSample Sample{QStringLiteral("nuvex"), KeyBits};
        const QByteArray Plain = PlainStream();
        QByteArray Data = EncipherStream(Sample, Plain).mid(From, To - From);
        const auto Key = TRc4CryptoApiKey::Derive(EncryptionInfo(Sample), Sample.Password);
        QVERIFY(Key.has_value());
        Key->Apply(Data.data(), Data.size(), From, 512);
        QCOMPARE(Data, Plain.mid(From, To - From));
    }

    void rejectsDamagedOrForeignStructures_data()
    {
        const QByteArray Good = EncryptionInfo({QStringLiteral("nuvex")});
        QTest::addColumn<QByteArray>("Info");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("version only") << Good.first(4);
        QTest::newRow("cut inside the header") << Good.first(40);
        QTest::newRow("cut inside the verifier") << Good.first(Good.size() - 1);
        QTest::newRow("plain RC4 version") << (QByteArray::fromHex("01000100") + Good.sliced(4));
        QTest::newRow("AES instead of RC4") << EncryptionInfo({QStringLiteral("nuvex")}, 0x660E);
        QByteArray HugeHeader = Good;
        HugeHeader.replace(8, 4, UInt32(0x7FFFFFF0));
        QTest::newRow("header size beyond the data") << HugeHeader;
        QByteArray TinyHeader = Good;
        TinyHeader.replace(8, 4, UInt32(4));
        QTest::newRow("header size too small") << TinyHeader;
        QByteArray LongKey = Good;
        LongKey.replace(28, 4, UInt32(256));
        QTest::newRow("key longer than 128 bits") << LongKey;
    }

    void rejectsDamagedOrForeignStructures()
    {
        QFETCH(QByteArray, Info);
        QVERIFY_THROWS_EXCEPTION(EMalformedData, TRc4CryptoApiKey::Derive(Info, QStringLiteral("nuvex")));
    }
};

QTEST_GUILESS_MAIN(TestRc4CryptoApiKey)
#include "tst_rc4cryptoapikey.moc"
