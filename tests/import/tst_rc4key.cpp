#include "import/MalformedDataError.h"
#include "import/Rc4Key.h"

#include "OpenSslCli.h"

#include <QTest>

namespace
{
const QByteArray Salt = QByteArray::fromHex("0f1e2d3c4b5a69788796a5b4c3d2e1f0");
const QByteArray Verifier = QByteArray::fromHex("a1b2c3d4e5f60718293a4b5c6d7e8f90");

// The header of a document that LibreOffice protected with the password "nuvex".
const QByteArray LibreOfficeHeader = QByteArray::fromHex(
    "01000100b99a19c98cb93699283338c8a2b5d15b84ddc1b43739c0dd2bf8e13a818bbd4429a43319c9a0f8abb384637f5a86269a");

// The block key as the published key derivation describes it, computed with the openssl tool.
QByteArray ReferenceBlockKey(const QString& Password, quint32 Block)
{
    const QByteArray Truncated = TOpenSslCli::Digest(QStringLiteral("md5"), TOpenSslCli::Utf16Le(Password)).first(5);
    QByteArray Intermediate;
    for (int I = 0; I < 16; ++I)
        Intermediate += Truncated + Salt;
    const QByteArray Base = TOpenSslCli::Digest(QStringLiteral("md5"), Intermediate).first(5);
    return TOpenSslCli::Digest(QStringLiteral("md5"), Base + TOpenSslCli::UInt32Le(Block));
}

QByteArray EncryptionInfo(const QString& Password)
{
    const QByteArray Hash = TOpenSslCli::Digest(QStringLiteral("md5"), Verifier);
    return QByteArray::fromHex("01000100") + Salt
        + TOpenSslCli::Rc4(ReferenceBlockKey(Password, 0), Verifier + Hash);
}

QByteArray EncipherStream(const QString& Password, const QByteArray& Plain, int BlockSize)
{
    QByteArray Cipher;
    for (qsizetype Offset = 0; Offset < Plain.size(); Offset += BlockSize)
        Cipher += TOpenSslCli::Rc4(
            ReferenceBlockKey(Password, quint32(Offset / BlockSize)), Plain.mid(Offset, BlockSize));
    return Cipher;
}
} // namespace

class TestRc4Key : public QObject
{
    Q_OBJECT

private slots:
    void acceptsThePasswordOfALibreOfficeDocument()
    {
        QVERIFY(TRc4Key::Derive(LibreOfficeHeader, QStringLiteral("nuvex")).has_value());
        QVERIFY(!TRc4Key::Derive(LibreOfficeHeader, QStringLiteral("Nuvex")).has_value());
        QVERIFY(!TRc4Key::Derive(LibreOfficeHeader, QString()).has_value());
        // Extra bytes after the structure (the rest of the table stream) do not matter.
        QVERIFY(TRc4Key::Derive(LibreOfficeHeader + QByteArray(100, 'x'), QStringLiteral("nuvex")).has_value());
    }

    void verifiesPassword_data()
    {
        QTest::addColumn<QString>("Password");
        QTest::newRow("latin") << QStringLiteral("nuvex");
        QTest::newRow("chinese") << QStringLiteral("字幕");
        QTest::newRow("fifteen characters") << QStringLiteral("abcdefghijklmno");
    }

    void verifiesPassword()
    {
        if (!TOpenSslCli::IsAvailable())
            QSKIP("the openssl command computes the reference values");
        QFETCH(QString, Password);
        const QByteArray Info = EncryptionInfo(Password);
        QVERIFY(TRc4Key::Derive(Info, Password).has_value());
        QVERIFY(!TRc4Key::Derive(Info, Password.chopped(1)).has_value());
    }

    void decryptsBlockwise_data()
    {
        QTest::addColumn<int>("BlockSize");
        QTest::addColumn<qint64>("From");
        QTest::addColumn<qint64>("To");
        QTest::newRow("Word blocks, whole stream") << 512 << qint64(0) << qint64(1400);
        QTest::newRow("Word blocks, after the plain header") << 512 << qint64(68) << qint64(1400);
        QTest::newRow("Excel blocks, inside") << 1024 << qint64(1000) << qint64(1030);
    }

    void decryptsBlockwise()
    {
        if (!TOpenSslCli::IsAvailable())
            QSKIP("the openssl command computes the reference values");
        QFETCH(int, BlockSize);
        QFETCH(qint64, From);
        QFETCH(qint64, To);
        QByteArray Plain;
        for (int I = 0; I < 1400; ++I)
            Plain += char(I % 251);
        const QString Password = QStringLiteral("nuvex");
        QByteArray Data = EncipherStream(Password, Plain, BlockSize).mid(From, To - From);
        const auto Key = TRc4Key::Derive(EncryptionInfo(Password), Password);
        QVERIFY(Key.has_value());
        Key->Apply(Data.data(), Data.size(), From, BlockSize);
        QCOMPARE(Data, Plain.mid(From, To - From));
    }

    void rejectsDamagedOrForeignStructures_data()
    {
        QTest::addColumn<QByteArray>("Info");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("cut in the salt") << LibreOfficeHeader.first(10);
        QTest::newRow("cut in the verifier hash") << LibreOfficeHeader.first(51);
        QTest::newRow("CryptoAPI version") << (QByteArray::fromHex("04000200") + LibreOfficeHeader.sliced(4));
    }

    void rejectsDamagedOrForeignStructures()
    {
        QFETCH(QByteArray, Info);
        QVERIFY_THROWS_EXCEPTION(EMalformedData, TRc4Key::Derive(Info, QStringLiteral("nuvex")));
    }
};

QTEST_GUILESS_MAIN(TestRc4Key)
#include "tst_rc4key.moc"
