#include "containers/Integer.h"
#include "containers/StringHash.h"

#include <QSet>
#include <QTest>

#include <memory>

namespace {

class TCountedValue : public TObject
{
public:
    explicit TCountedValue(int& Destroyed) : FDestroyed(Destroyed) {}
    ~TCountedValue() override { ++FDestroyed; }

private:
    int& FDestroyed;
};

QStringList Keys(TStringHash& Table)
{
    QStringList Result;
    if (Table.Count() == 0)
        return Result;
    std::unique_ptr<TStringHashIterator> Iterator = Table.Iterator();
    for (;;) {
        Result << Iterator->KeyString();
        if (!Iterator->HasNext())
            break;
        Iterator->Next();
    }
    return Result;
}

} // namespace

class TestStringHash : public QObject
{
    Q_OBJECT

private slots:
    // Enough other names to grow the table, so a key hashed by the wrong rule would sit
    // in another bucket than its lookup.
    void lookupByCase_data()
    {
        QTest::addColumn<bool>("CaseSensitive");
        QTest::addColumn<QString>("Lookup");
        QTest::addColumn<bool>("Found");
        QTest::newRow("sensitive, same case") << true << "FontSize" << true;
        QTest::newRow("sensitive, other case") << true << "fontsize" << false;
        QTest::newRow("sensitive, other name") << true << "FontSiz" << false;
        QTest::newRow("insensitive, same case") << false << "FontSize" << true;
        QTest::newRow("insensitive, upper case") << false << "FONTSIZE" << true;
        QTest::newRow("insensitive, lower case") << false << "fontsize" << true;
        QTest::newRow("insensitive, other name") << false << "FontSiz" << false;
        QTest::newRow("insensitive, non-ASCII case") << false << QStringLiteral("FONTSIZ\u00C9") << false;
    }

    void lookupByCase()
    {
        QFETCH(bool, CaseSensitive);
        QFETCH(QString, Lookup);
        QFETCH(bool, Found);
        TStringHash Table(CaseSensitive, 10);
        QCOMPARE(Table.CaseSensitive(), CaseSensitive);
        TObject Value;
        for (int Index = 0; Index < 30; ++Index)
            Table.Put(QStringLiteral("Filler%1").arg(Index), nullptr);
        QVERIFY(Table.Put(QStringLiteral("FontSize"), &Value));
        QVERIFY(Table.Table().Capacity() > 10);
        QCOMPARE(Table.ContainsKey(Lookup), Found);
        QCOMPARE(Table.Get(Lookup), Found ? &Value : nullptr);
        QCOMPARE(Table.Remove(Lookup), Found ? &Value : nullptr);
        QCOMPARE(Table.Count(), Found ? 30 : 31);
        QCOMPARE(Table.ContainsKey(QStringLiteral("FontSize")), !Found);
    }

    void putOfPresentText_keepsTheFirstKey()
    {
        TStringHash Table(false, 4);
        TObject First;
        TObject Second;
        QVERIFY(Table.Put(QStringLiteral("Edge"), &First));
        const quint32 ModCount = Table.Table().ModCount();
        QVERIFY(!Table.Add(QStringLiteral("EDGE"), &Second));
        QCOMPARE(Table.Count(), 1);
        QCOMPARE(Table.Table().ModCount(), ModCount);
        QCOMPARE(Table.Get(QStringLiteral("edge")), &Second);
        QCOMPARE(Keys(Table), QStringList{QStringLiteral("Edge")});
    }

    void caseSensitiveTable_keepsTextsApart()
    {
        TStringHash Table(true, 4);
        TObject Upper;
        TObject Lower;
        QVERIFY(Table.Put(QStringLiteral("A"), &Upper));
        QVERIFY(Table.Put(QStringLiteral("a"), &Lower));
        QCOMPARE(Table.Count(), 2);
        QCOMPARE(Table.Get(QStringLiteral("A")), &Upper);
        QCOMPARE(Table.Get(QStringLiteral("a")), &Lower);
        QVERIFY(Table.ContainsValue(nullptr) == false);
    }

    void iterator_readsEveryKeyOnce()
    {
        TStringHash Table(false, 10);
        QSet<QString> Expected;
        for (int Index = 0; Index < 25; ++Index) {
            const QString Name = QStringLiteral("Property%1").arg(Index);
            Table.Put(Name, nullptr);
            Expected << Name;
        }
        const QStringList Walked = Keys(Table);
        QCOMPARE(Walked.size(), 25);
        QCOMPARE(QSet<QString>(Walked.begin(), Walked.end()), Expected);
    }

    void values_belongToTheCaller()
    {
        int Freed = 0;
        TCountedValue Kept(Freed);
        {
            TStringHash Table(true, 4);
            Table.Put(QStringLiteral("a"), &Kept);
            Table.Put(QStringLiteral("b"), &Kept);
            QCOMPARE(Table.Remove(QStringLiteral("a")), &Kept);
            QVERIFY(Table.Remove(QStringLiteral("a")) == nullptr);
            Table.Clear();
            QCOMPARE(Table.Count(), 0);
            Table.Put(QStringLiteral("c"), &Kept);
        }
        QCOMPARE(Freed, 0);

        TStringHash Table(false, 4);
        Table.Put(QStringLiteral("x"), new TCountedValue(Freed));
        Table.Put(QStringLiteral("y"), new TCountedValue(Freed));
        Table.ClearAndFreeValues();
        QCOMPARE(Freed, 2);
        QCOMPARE(Table.Count(), 0);
    }

    void iterator_rejectsKeysOfAnotherClass()
    {
        THashTable Table(10, true);
        Table.Put(new TInteger(3), nullptr);
        const TStringHashIterator Iterator(Table);
        try {
            Iterator.KeyString();
            QFAIL("no error raised");
        } catch (const EError& Error) {
            QCOMPARE(Error.Message(), QStringLiteral("Wrong type. Expecting TString, got TInteger"));
        }
    }

    void iterator_acceptsCaseInsensitiveKeys()
    {
        THashTable Table(10, true);
        Table.Put(new TStringNoCase(QStringLiteral("Name")), nullptr);
        QCOMPARE(TStringHashIterator(Table).KeyString(), QStringLiteral("Name"));
    }
};

QTEST_GUILESS_MAIN(TestStringHash)
#include "tst_stringhash.moc"
