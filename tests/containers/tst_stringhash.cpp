#include "containers/IntegerHash.h"
#include "containers/StringHash.h"

#include <QTest>

class TestStringHash : public QObject
{
    Q_OBJECT

private slots:
    void caseSensitivity_data()
    {
        QTest::addColumn<bool>("CaseSensitive");
        QTest::addColumn<QString>("Lookup");
        QTest::addColumn<bool>("Found");
        QTest::newRow("sensitive, same case") << true << "FontSize" << true;
        QTest::newRow("sensitive, other case") << true << "fontsize" << false;
        QTest::newRow("insensitive, other case") << false << "FONTSIZE" << true;
        QTest::newRow("insensitive, other name") << false << "FontSiz" << false;
    }

    void caseSensitivity()
    {
        QFETCH(bool, CaseSensitive);
        QFETCH(QString, Lookup);
        QFETCH(bool, Found);
        TStringHash Table(CaseSensitive, 10);
        TObject Value;
        for (int Index = 0; Index < 30; ++Index)
            Table.Put(QStringLiteral("Filler%1").arg(Index), nullptr);
        Table.Put(QStringLiteral("FontSize"), &Value);
        QCOMPARE(Table.ContainsKey(Lookup), Found);
        QCOMPARE(Table.Get(Lookup), Found ? &Value : nullptr);
        QCOMPARE(Table.Remove(Lookup), Found ? &Value : nullptr);
        QCOMPARE(Table.Count(), Found ? 30 : 31);
    }

    void putOfPresentText_keepsOneEntry()
    {
        TStringHash Table(false, 4);
        TObject First;
        TObject Second;
        QVERIFY(Table.Put(QStringLiteral("Edge"), &First));
        QVERIFY(!Table.Add(QStringLiteral("EDGE"), &Second));
        QCOMPARE(Table.Count(), 1);
        QCOMPARE(Table.Get(QStringLiteral("edge")), &Second);
        QVERIFY(Table.ContainsValue(nullptr) == false);
    }

    void iterators_readTypedKeys()
    {
        TStringHash Texts(true, 10);
        Texts.Put(QStringLiteral("BoxWidth"), nullptr);
        QCOMPARE(Texts.Iterator()->KeyString(), QStringLiteral("BoxWidth"));

        TIntegerHash Numbers(10);
        TObject Value;
        Numbers.Put(-7, &Value);
        QCOMPARE(Numbers.Iterator()->KeyInteger(), -7);
        QCOMPARE(Numbers.Get(-7), &Value);
        QVERIFY(Numbers.ContainsKey(-7));
        QCOMPARE(Numbers.Remove(-7), &Value);
        QCOMPARE(Numbers.Count(), 0);
    }

    void typedIterator_rejectsKeysOfAnotherClass()
    {
        THashTable Table(10, true);
        Table.Put(new TInteger(3), nullptr);
        TStringHashIterator AsText(Table);
        try {
            AsText.KeyString();
            QFAIL("no error raised");
        } catch (const EError& Error) {
            QCOMPARE(Error.Message(), QStringLiteral("Wrong type. Expecting TString, got TInteger"));
        }
        THashTable Texts(10, true);
        Texts.Put(new TString(QStringLiteral("x")), nullptr);
        TIntegerHashIterator AsNumber(Texts);
        try {
            AsNumber.KeyInteger();
            QFAIL("no error raised");
        } catch (const EError& Error) {
            QCOMPARE(Error.Message(), QStringLiteral("Wrong type. Expecting TInteger, got TString"));
        }
    }
};

QTEST_GUILESS_MAIN(TestStringHash)
#include "tst_stringhash.moc"
