#include "import/DocumentError.h"
#include "import/TextFileDecoder.h"

#include <QStringDecoder>
#include <QTest>

class TestTextFileDecoder : public QObject
{
    Q_OBJECT

private slots:
    void legacyCodecForLocale_data()
    {
        QTest::addColumn<QString>("Locale");
        QTest::addColumn<QByteArray>("Codec");
        QTest::newRow("zh_CN") << QStringLiteral("zh_CN") << QByteArrayLiteral("GB18030");
        QTest::newRow("zh_TW") << QStringLiteral("zh_TW") << QByteArrayLiteral("Big5");
        QTest::newRow("hu_HU") << QStringLiteral("hu_HU") << QByteArrayLiteral("windows-1250");
        QTest::newRow("ru_RU") << QStringLiteral("ru_RU") << QByteArrayLiteral("windows-1251");
        QTest::newRow("ja_JP") << QStringLiteral("ja_JP") << QByteArrayLiteral("Shift_JIS");
        QTest::newRow("ko_KR") << QStringLiteral("ko_KR") << QByteArrayLiteral("windows-949");
        QTest::newRow("el_GR") << QStringLiteral("el_GR") << QByteArrayLiteral("windows-1253");
        QTest::newRow("tr_TR") << QStringLiteral("tr_TR") << QByteArrayLiteral("windows-1254");
        QTest::newRow("he_IL") << QStringLiteral("he_IL") << QByteArrayLiteral("windows-1255");
        QTest::newRow("ar_EG") << QStringLiteral("ar_EG") << QByteArrayLiteral("windows-1256");
        QTest::newRow("lt_LT") << QStringLiteral("lt_LT") << QByteArrayLiteral("windows-1257");
        QTest::newRow("vi_VN") << QStringLiteral("vi_VN") << QByteArrayLiteral("windows-1258");
        QTest::newRow("th_TH") << QStringLiteral("th_TH") << QByteArrayLiteral("windows-874");
        QTest::newRow("de_DE") << QStringLiteral("de_DE") << QByteArrayLiteral("windows-1252");
        QTest::newRow("C") << QStringLiteral("C") << QByteArrayLiteral("windows-1252");
    }

    void legacyCodecForLocale()
    {
        QFETCH(QString, Locale);
        QFETCH(QByteArray, Codec);
        QCOMPARE(TTextFileDecoder::LegacyCodecForLocale(QLocale(Locale)), Codec);
        // Every code page named must be one this Qt can decode.
        QVERIFY(QStringDecoder(Codec.constData()).isValid());
    }

    void emptyCodecMeansSystem()
    {
        QCOMPARE(TTextFileDecoder().LegacyCodec(), TTextFileDecoder::SystemLegacyCodec());
        QCOMPARE(TTextFileDecoder("Big5").LegacyCodec(), QByteArrayLiteral("Big5"));
    }

    void validUtf8WinsOverLegacy()
    {
        // These bytes are also valid GB18030, where they mean something else.
        const QByteArray Bytes = QStringLiteral("第一").toUtf8();
        QCOMPARE(TTextFileDecoder("GB18030").Decode(Bytes, QStringLiteral("f")), QStringLiteral("第一"));
    }

    void oddUtf16TailDoesNotLoseText()
    {
        const QString Text = TTextFileDecoder("GB18030").Decode(QByteArray("\xFF\xFE" "a\0b\0c", 7), QStringLiteral("f"));
        QVERIFY(Text.startsWith(QStringLiteral("ab")));
    }

    void unknownCodecIsClearError()
    {
        const TTextFileDecoder Decoder("no-such-codepage");
        QVERIFY_THROWS_EXCEPTION(EDocument, Decoder.Decode(QByteArrayLiteral("\xFF\x80"), QStringLiteral("f")));
    }
};

QTEST_GUILESS_MAIN(TestTextFileDecoder)
#include "tst_textfiledecoder.moc"
