#include "containers/HashTable.h"
#include "containers/HashTableIterator.h"
#include "containers/Integer.h"
#include "containers/String.h"

#include <QTest>

#include <functional>
#include <memory>
#include <vector>

namespace {

// A value or key that counts its destructions, so tests can tell what a table freed.
class TCountedValue : public TObject
{
public:
    explicit TCountedValue(int& Destroyed) : FDestroyed(Destroyed) {}
    ~TCountedValue() override { ++FDestroyed; }

private:
    int& FDestroyed;
};

class TCountedKey : public TInteger
{
public:
    TCountedKey(qint32 Value, int& Destroyed) : TInteger(Value), FDestroyed(Destroyed) {}
    ~TCountedKey() override { ++FDestroyed; }

private:
    int& FDestroyed;
};

// Keys in iteration order.
QList<qint32> Walk(THashTable& Table)
{
    QList<qint32> Keys;
    if (Table.Count() == 0)
        return Keys;
    std::unique_ptr<TMapIterator> Iterator = Table.Iterator();
    for (;;) {
        Keys << static_cast<TInteger*>(Iterator->Key())->Value();
        if (!Iterator->HasNext())
            break;
        Iterator->Next();
    }
    return Keys;
}

} // namespace

class TestHashTable : public QObject
{
    Q_OBJECT

private slots:
    void growth_data()
    {
        QTest::addColumn<int>("InitialCapacity");
        QTest::addColumn<int>("Keys");
        QTest::addColumn<int>("Capacity");
        QTest::addColumn<int>("Threshold");
        QTest::newRow("10 buckets, 0 keys") << 10 << 0 << 10 << 8;
        QTest::newRow("10 buckets hold 9") << 10 << 9 << 10 << 8;
        QTest::newRow("10th key grows to 21") << 10 << 10 << 21 << 16;
        QTest::newRow("17 keys stay at 21") << 10 << 17 << 21 << 16;
        QTest::newRow("18th key grows to 43") << 10 << 18 << 43 << 32;
        QTest::newRow("20 buckets hold 16") << 20 << 16 << 20 << 15;
        QTest::newRow("17th key grows to 41") << 20 << 17 << 41 << 31;
    }

    void growth()
    {
        QFETCH(int, InitialCapacity);
        QFETCH(int, Keys);
        QFETCH(int, Capacity);
        QFETCH(int, Threshold);
        THashTable Table(InitialCapacity, true);
        for (int Key = 0; Key < Keys; ++Key)
            QVERIFY(Table.Put(new TInteger(Key), nullptr));
        QCOMPARE(Table.Capacity(), Capacity);
        QCOMPARE(Table.Threshold(), Threshold);
        QCOMPARE(Table.Count(), Keys);
        for (int Key = 0; Key < Keys; ++Key) {
            const TInteger Probe(Key);
            QVERIFY(Table.ContainsKey(&Probe));
        }
    }

    void hashCodes()
    {
        QCOMPARE(TInteger(0).HashCode(), 1);
        QCOMPARE(TInteger(5).HashCode(), 6);
        QCOMPARE(TInteger(-1).HashCode(), -1);
        QCOMPARE(TInteger(2147483647).HashCode(), qint32(-2147483647 - 1));
        QCOMPARE(TString(QStringLiteral("abc")).HashCode(), 96354);
        QCOMPARE(TString(QString()).HashCode(), 0);
    }

    void iterationOrder_followsBucketsAndNewestFirst()
    {
        THashTable Table(10, true);
        // 0 and -1 both land in bucket 1 (hash 1 and magnitude 1); 9 hashes to 10, bucket 0.
        Table.Put(new TInteger(0), nullptr);
        Table.Put(new TInteger(-1), nullptr);
        Table.Put(new TInteger(9), nullptr);
        Table.Put(new TInteger(2), nullptr);
        QCOMPARE(Walk(Table), (QList<qint32>{9, -1, 0, 2}));

        // A rehash moves each chain from its head, so the two in bucket 1 swap.
        Table.Rehash();
        QCOMPARE(Table.Capacity(), 21);
        QCOMPARE(Walk(Table), (QList<qint32>{0, -1, 2, 9}));
    }

    void hashOfSmallestInteger_findsABucket()
    {
        THashTable Table(7, true);
        Table.Put(new TInteger(-2147483647 - 1), nullptr);
        const TInteger Probe(-2147483647 - 1);
        QVERIFY(Table.ContainsKey(&Probe));
    }

    void putOfPresentKey_replacesValueAndFreesGivenKey()
    {
        int KeysFreed = 0;
        THashTable Table(10, true);
        TObject First;
        TObject Second;
        QVERIFY(Table.Put(new TCountedKey(3, KeysFreed), &First));
        const quint32 ModCount = Table.ModCount();
        QVERIFY(!Table.Put(new TCountedKey(3, KeysFreed), &Second));
        QCOMPARE(KeysFreed, 1);
        QCOMPARE(Table.Count(), 1);
        QCOMPARE(Table.ModCount(), ModCount);
        // Keys of another class never match, so the probe is of the stored key's class.
        int ProbesFreed = 0;
        const TCountedKey Probe(3, ProbesFreed);
        QCOMPARE(Table.Get(&Probe), &Second);
        QVERIFY(!Table.ContainsValue(&First));
    }

    void removeAndClear_freeWhatTheyOwn()
    {
        int KeysFreed = 0;
        int ValuesFreed = 0;
        std::vector<std::unique_ptr<TCountedValue>> Values;
        {
            THashTable Table(10, true);
            for (int Key = 0; Key < 4; ++Key) {
                Values.push_back(std::make_unique<TCountedValue>(ValuesFreed));
                Table.Put(new TCountedKey(Key, KeysFreed), Values.back().get());
            }
            int ProbesFreed = 0;
            TCountedKey Missing(42, ProbesFreed);
            QVERIFY(Table.Remove(&Missing, true, true) == nullptr);
            QCOMPARE(KeysFreed, 0);
            QCOMPARE(ProbesFreed, 0);

            TCountedKey Probe(1, ProbesFreed);
            QCOMPARE(Table.Remove(&Probe, false, true), Values[1].get());
            QCOMPARE(KeysFreed, 1);
            QCOMPARE(ProbesFreed, 0);

            Table.Clear();
            QCOMPARE(KeysFreed, 4);
            QCOMPARE(ValuesFreed, 0);
            Table.Put(new TCountedKey(7, KeysFreed), new TCountedValue(ValuesFreed));
            Table.ClearAndFreeValues();
            QCOMPARE(KeysFreed, 5);
            QCOMPARE(ValuesFreed, 1);
            Table.Put(new TCountedKey(8, KeysFreed), nullptr);
        }
        QCOMPARE(KeysFreed, 6);

        THashTable Borrowing(10, false);
        TCountedKey Key(5, KeysFreed);
        Borrowing.Put(&Key, nullptr);
        Borrowing.Clear();
        QCOMPARE(KeysFreed, 6);
    }

    void iterator_failsAfterForeignChange_data()
    {
        QTest::addColumn<std::function<void(THashTable&)>>("Change");
        QTest::newRow("put of new key") << std::function<void(THashTable&)>([](THashTable& T) { T.Put(new TInteger(100), nullptr); });
        // Remove(Key) frees the given key too when the table owns its keys.
        QTest::newRow("remove") << std::function<void(THashTable&)>([](THashTable& T) { T.Remove(new TInteger(2)); });
        QTest::newRow("clear") << std::function<void(THashTable&)>([](THashTable& T) { T.Clear(); });
        QTest::newRow("rehash") << std::function<void(THashTable&)>([](THashTable& T) { T.Rehash(); });
    }

    void iterator_failsAfterForeignChange()
    {
        QFETCH(std::function<void(THashTable&)>, Change);
        THashTable Table(10, true);
        for (int Key = 0; Key < 5; ++Key)
            Table.Put(new TInteger(Key), nullptr);
        std::unique_ptr<TMapIterator> Iterator = Table.Iterator();
        Iterator->Next();
        Change(Table);
        QVERIFY(!Iterator->IsValid());
        try {
            Iterator->Next();
            QFAIL("no error raised");
        } catch (const EError& Error) {
            QCOMPARE(Error.Message(), QStringLiteral("Iterator no longer valid"));
        }
        QVERIFY_THROWS_EXCEPTION(EError, Iterator->Key());
        QVERIFY_THROWS_EXCEPTION(EError, Iterator->SetValue(nullptr));
    }

    void iterator_removeEveryOtherEntry()
    {
        THashTable Table(10, true);
        for (int Key = 0; Key < 12; ++Key)
            Table.Put(new TInteger(Key), nullptr);
        const QList<qint32> Order = Walk(Table);

        QList<qint32> Visited;
        std::unique_ptr<TMapIterator> Iterator = Table.Iterator();
        for (int Step = 0;; ++Step) {
            if (Step % 2 == 0) {
                Iterator->Remove();
                QVERIFY(Iterator->IsValid());
                QVERIFY(!Iterator->IsEntryValid());
                QVERIFY(Iterator->Key() == nullptr);
            } else {
                Visited << static_cast<TInteger*>(Iterator->Key())->Value();
            }
            if (!Iterator->HasNext())
                break;
            Iterator->Next();
        }
        QCOMPARE(Table.Count(), 6);
        QList<qint32> Kept;
        for (int Index = 1; Index < Order.size(); Index += 2)
            Kept << Order[Index];
        QCOMPARE(Visited, Kept);
        QCOMPARE(Walk(Table), Kept);
    }

    void iterator_setValue()
    {
        THashTable Table(10, true);
        TObject Value;
        Table.Put(new TInteger(1), nullptr);
        std::unique_ptr<TMapIterator> Iterator = Table.Iterator();
        Iterator->SetValue(&Value);
        const TInteger Probe(1);
        QCOMPARE(Table.Get(&Probe), &Value);
        Iterator->Remove();
        try {
            Iterator->SetValue(nullptr);
            QFAIL("no error raised");
        } catch (const EError& Error) {
            QCOMPARE(Error.Message(), QStringLiteral("The entry is not valid"));
        }
        THashTable Empty(3, true);
        std::unique_ptr<TMapIterator> None = Empty.Iterator();
        QVERIFY(!None->HasNext());
        QVERIFY(None->Key() == nullptr);
        QVERIFY(!None->IsEntryValid());
    }

    void keysOfUnlikeClasses_neverEqual()
    {
        const TInteger Number(1);
        const TString Text(QStringLiteral("1"));
        QVERIFY(!TComparable::KeysEqual(&Number, &Text));
        QVERIFY(TComparable::KeysEqual(nullptr, nullptr));
        QVERIFY(!TComparable::KeysEqual(&Number, nullptr));
        TObject Plain;
        QVERIFY(!TComparable::KeysEqual(&Plain, &Plain));
        try {
            Number.CompareTo(&Text);
            QFAIL("no error raised");
        } catch (const ECompareException& Error) {
            QCOMPARE(Error.Message(), QStringLiteral("TNumeric cannot be compared with TString"));
        }
        try {
            Text.CompareTo(&Number);
            QFAIL("no error raised");
        } catch (const ECompareException& Error) {
            QCOMPARE(Error.Message(), QStringLiteral("TString cannot be compared with TInteger"));
        }
        QCOMPARE(TComparable::CompareKeys(&Number, nullptr), -1);
        QVERIFY(TInteger(2).CompareTo(&Number) > 0);
    }
};

QTEST_GUILESS_MAIN(TestHashTable)
#include "tst_hashtable.moc"
