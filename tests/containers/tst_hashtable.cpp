#include "containers/HashTable.h"
#include "containers/Integer.h"
#include "containers/String.h"

#include "model/InvalidOperation.h"

#include <QTest>

#include <limits>
#include <memory>
#include <vector>

namespace {

constexpr qint32 MinInt = std::numeric_limits<qint32>::min();
constexpr qint32 MaxInt = std::numeric_limits<qint32>::max();

// An object that counts its destructions, so tests can tell what a table freed.
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

// An entry class of its own, to see that the table makes and frees entries through
// the factory it was given.
class TCountedEntry : public THashEntry
{
public:
    TCountedEntry(TComparable* Key, TObject* Value, int& Live) : THashEntry(Key, Value), FLive(Live) { ++FLive; }
    ~TCountedEntry() override { --FLive; }

private:
    int& FLive;
};

class TCountedEntryFactory : public THashEntryFactory
{
public:
    TCountedEntryFactory(int& Live, int& Destroyed) : FLive(Live), FDestroyed(Destroyed) {}
    ~TCountedEntryFactory() override { ++FDestroyed; }

    std::unique_ptr<THashEntry> CreateEntry(TComparable* Key, TObject* Value) const override
    {
        return std::make_unique<TCountedEntry>(Key, Value, FLive);
    }

private:
    int& FLive;
    int& FDestroyed;
};

// The integer keys in iteration order.
QList<qint32> Walk(THashTable& Table)
{
    QList<qint32> Keys;
    if (Table.Count() == 0)
        return Keys;
    std::unique_ptr<TMapIterator> Iterator = Table.Iterator();
    for (;;) {
        Keys << dynamic_cast<TInteger&>(*Iterator->Key()).Value();
        if (!Iterator->HasNext())
            break;
        Iterator->Next();
    }
    return Keys;
}

void PutAll(THashTable& Table, const QList<qint32>& Keys)
{
    for (const qint32 Key : Keys)
        QVERIFY(Table.Put(new TInteger(Key), nullptr));
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
        QTest::newRow("10 buckets, empty") << 10 << 0 << 10 << 8;
        QTest::newRow("10 buckets hold 9") << 10 << 9 << 10 << 8;
        QTest::newRow("10th key grows to 21") << 10 << 10 << 21 << 16;
        QTest::newRow("21 buckets hold 17") << 10 << 17 << 21 << 16;
        QTest::newRow("18th key grows to 43") << 10 << 18 << 43 << 32;
        QTest::newRow("20 buckets hold 16") << 20 << 16 << 20 << 15;
        QTest::newRow("17th key grows to 41") << 20 << 17 << 41 << 31;
        QTest::newRow("no bucket is taken as one") << 0 << 3 << 3 << 2;
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

    void threshold_roundsHalvesToEven_data()
    {
        QTest::addColumn<int>("Capacity");
        QTest::addColumn<double>("LoadFactor");
        QTest::addColumn<int>("Threshold");
        QTest::newRow("7.5 up to 8") << 10 << 0.75 << 8;
        QTest::newRow("2.5 down to 2") << 5 << 0.5 << 2;
        QTest::newRow("3.5 up to 4") << 7 << 0.5 << 4;
        QTest::newRow("15.75 to 16") << 21 << 0.75 << 16;
        QTest::newRow("30.75 to 31") << 41 << 0.75 << 31;
    }

    void threshold_roundsHalvesToEven()
    {
        QFETCH(int, Capacity);
        QFETCH(double, LoadFactor);
        QFETCH(int, Threshold);
        const THashTable Table(Capacity, true, nullptr, LoadFactor);
        QCOMPARE(Table.Threshold(), Threshold);
        QCOMPARE(Table.LoadFactor(), LoadFactor);
    }

    void loadFactor_mustBePositive_data()
    {
        QTest::addColumn<double>("LoadFactor");
        QTest::newRow("zero") << 0.0;
        QTest::newRow("negative") << -0.75;
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity();
    }

    void loadFactor_mustBePositive()
    {
        QFETCH(double, LoadFactor);
        QVERIFY_THROWS_EXCEPTION(EInvalidOp, THashTable(10, true, nullptr, LoadFactor));
    }

    // The order of a walk shows the buckets: ascending, each chain newest first.
    void bucketOfKey_data()
    {
        QTest::addColumn<int>("Capacity");
        QTest::addColumn<QList<qint32>>("Inserted");
        QTest::addColumn<QList<qint32>>("Order");
        // 9 hashes to 10 (bucket 0); 0 and -1 hash to 1 and -1 (bucket 1); 1 to 2.
        QTest::newRow("0 and -1 share bucket 1") << 10 << QList<qint32>{9, 0, -1, 1} << QList<qint32>{9, -1, 0, 1};
        QTest::newRow("-1 before 0") << 10 << QList<qint32>{1, -1, 0, 9} << QList<qint32>{9, 0, -1, 1};
        // -4 lands by its magnitude in bucket 4 with 3, not in bucket 2 as 2^32 - 4 would.
        QTest::newRow("negative hash by its magnitude") << 10 << QList<qint32>{4, -4, 3} << QList<qint32>{3, -4, 4};
        // The smallest integer has magnitude 2^31, which is bucket 2 of 7; the largest
        // integer wraps to the same hash.
        QTest::newRow("magnitude of the smallest integer")
                << 7 << QList<qint32>{2, MinInt, 0, MaxInt} << QList<qint32>{0, MaxInt, MinInt, 2};
    }

    void bucketOfKey()
    {
        QFETCH(int, Capacity);
        QFETCH(QList<qint32>, Inserted);
        QFETCH(QList<qint32>, Order);
        THashTable Table(Capacity, true);
        PutAll(Table, Inserted);
        QCOMPARE(Table.Capacity(), Capacity);
        QCOMPARE(Walk(Table), Order);
        for (const qint32 Key : Inserted) {
            const TInteger Probe(Key);
            QVERIFY(Table.ContainsKey(&Probe));
        }
    }

    void rehash_reversesChainsAndPlacesTheNewKeyAfterwards()
    {
        THashTable Table(10, true);
        // 0, 210 and 420 hash to 1, 211 and 421: bucket 1 of both 10 and 21 buckets.
        PutAll(Table, {0, 210, 420, 1, 2, 3, 4, 5, 6});
        QCOMPARE(Walk(Table), (QList<qint32>{420, 210, 0, 1, 2, 3, 4, 5, 6}));

        // The 10th key grows the table first and then goes to bucket 31 mod 21 = 10.
        const quint32 ModCount = Table.ModCount();
        PutAll(Table, {30});
        QCOMPARE(Table.Capacity(), 21);
        QCOMPARE(Table.ModCount(), ModCount + 2);
        QCOMPARE(Walk(Table), (QList<qint32>{0, 210, 420, 1, 2, 3, 4, 5, 6, 30}));

        // With 43 buckets the chain splits: 421 mod 43 = 34, 211 mod 43 = 39.
        Table.Rehash();
        QCOMPARE(Table.Capacity(), 43);
        QCOMPARE(Table.Threshold(), 32);
        QCOMPARE(Walk(Table), (QList<qint32>{0, 1, 2, 3, 4, 5, 6, 30, 420, 210}));
    }

    void putOfPresentKey_replacesValueAndFreesGivenKey()
    {
        int StoredFreed = 0;
        int GivenFreed = 0;
        THashTable Table(10, true);
        TObject First;
        TObject Second;
        auto* Stored = new TCountedKey(3, StoredFreed);
        QVERIFY(Table.Put(Stored, &First));
        const quint32 ModCount = Table.ModCount();
        QVERIFY(!Table.Add(new TCountedKey(3, GivenFreed), &Second));
        QCOMPARE(GivenFreed, 1);
        QCOMPARE(StoredFreed, 0);
        QCOMPARE(Table.Count(), 1);
        QCOMPARE(Table.ModCount(), ModCount);
        QCOMPARE(Table.Iterator()->Key(), Stored);
        QCOMPARE(Table.Get(Stored), &Second);

        // The stored key object itself must not be freed by its own second Put.
        TObject Third;
        QVERIFY(!Table.Put(Stored, &Third));
        QCOMPARE(StoredFreed, 0);
        QCOMPARE(Table.Get(Stored), &Third);
    }

    void putOfPresentKey_withoutOwnership_freesNothing()
    {
        int Freed = 0;
        TCountedKey Stored(3, Freed);
        TCountedKey Given(3, Freed);
        THashTable Table(10, false);
        QVERIFY(Table.Put(&Stored, nullptr));
        QVERIFY(!Table.Put(&Given, nullptr));
        Table.Clear();
        QCOMPARE(Freed, 0);
    }

    void removeFreesWhatItIsTold_data()
    {
        QTest::addColumn<bool>("Present");
        QTest::addColumn<bool>("GivenIsStored");
        QTest::addColumn<bool>("FreeGivenKey");
        QTest::addColumn<bool>("FreeStoredKey");
        QTest::addColumn<int>("StoredFreed");
        QTest::addColumn<int>("GivenFreed");
        QTest::newRow("free both") << true << false << true << true << 1 << 1;
        QTest::newRow("free the stored key") << true << false << false << true << 1 << 0;
        QTest::newRow("free the given key") << true << false << true << false << 0 << 1;
        QTest::newRow("free neither") << true << false << false << false << 0 << 0;
        QTest::newRow("given is stored, free both") << true << true << true << true << 1 << 0;
        QTest::newRow("given is stored, free given") << true << true << true << false << 0 << 0;
        QTest::newRow("absent key frees nothing") << false << false << true << true << 0 << 0;
    }

    void removeFreesWhatItIsTold()
    {
        QFETCH(bool, Present);
        QFETCH(bool, GivenIsStored);
        QFETCH(bool, FreeGivenKey);
        QFETCH(bool, FreeStoredKey);
        QFETCH(int, StoredFreed);
        QFETCH(int, GivenFreed);
        int OthersFreed = 0;
        int TargetFreed = 0;
        int ProbeFreed = 0;
        TObject Values[4];
        THashTable Table(10, true);
        TCountedKey* Target = nullptr;
        for (int Key = 0; Key < 4; ++Key) {
            auto* Stored = new TCountedKey(Key, Key == 2 ? TargetFreed : OthersFreed);
            Table.Put(Stored, &Values[Key]);
            if (Key == 2)
                Target = Stored;
        }
        TCountedKey* Given = GivenIsStored ? Target : new TCountedKey(Present ? 2 : 42, ProbeFreed);

        QCOMPARE(Table.Remove(Given, FreeGivenKey, FreeStoredKey), Present ? &Values[2] : nullptr);
        QCOMPARE(TargetFreed, StoredFreed);
        QCOMPARE(ProbeFreed, GivenFreed);
        QCOMPARE(OthersFreed, 0);
        QCOMPARE(Table.Count(), Present ? 3 : 4);
        int CheckFreed = 0;
        const TCountedKey Check(2, CheckFreed);
        QCOMPARE(Table.ContainsKey(&Check), !Present);

        if (Present && TargetFreed == 0)
            delete Target;
        if (!GivenIsStored && ProbeFreed == 0)
            delete Given;
    }

    void removeOfOneKey_followsOwnership()
    {
        int Freed = 0;
        {
            THashTable Owning(10, true);
            Owning.Put(new TCountedKey(1, Freed), nullptr);
            const quint32 ModCount = Owning.ModCount();
            Owning.Remove(new TCountedKey(1, Freed));
            QCOMPARE(Freed, 2);
            QCOMPARE(Owning.ModCount(), ModCount + 1);

            int AbsentFreed = 0;
            TCountedKey Absent(5, AbsentFreed);
            QVERIFY(Owning.Remove(&Absent) == nullptr);
            QCOMPARE(Owning.ModCount(), ModCount + 1);
            QCOMPARE(AbsentFreed, 0);
            Owning.Put(new TCountedKey(6, Freed), nullptr);
        }
        QCOMPARE(Freed, 3);

        Freed = 0;
        TCountedKey Stored(1, Freed);
        TCountedKey Given(1, Freed);
        THashTable Borrowing(10, false);
        Borrowing.Put(&Stored, nullptr);
        Borrowing.Remove(&Given);
        QCOMPARE(Borrowing.Count(), 0);
        QCOMPARE(Freed, 0);
    }

    void clear_freesKeysAndOnlyOnRequestValues()
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
            const quint32 ModCount = Table.ModCount();
            Table.Clear();
            QCOMPARE(KeysFreed, 4);
            QCOMPARE(ValuesFreed, 0);
            QCOMPARE(Table.Count(), 0);
            QVERIFY(Table.ModCount() != ModCount);
            QVERIFY(Table.Iterator()->Key() == nullptr);

            // One value under two keys is freed once.
            auto* Shared = new TCountedValue(ValuesFreed);
            Table.Put(new TCountedKey(7, KeysFreed), Shared);
            Table.Put(new TCountedKey(8, KeysFreed), Shared);
            Table.Put(new TCountedKey(9, KeysFreed), new TCountedValue(ValuesFreed));
            Table.Put(new TCountedKey(10, KeysFreed), nullptr);
            Table.ClearAndFreeValues();
            QCOMPARE(KeysFreed, 8);
            QCOMPARE(ValuesFreed, 2);
            QCOMPARE(Table.Count(), 0);

            Table.Put(new TCountedKey(11, KeysFreed), Values[0].get());
        }
        // Destruction frees the keys but leaves the values to their owner.
        QCOMPARE(KeysFreed, 9);
        QCOMPARE(ValuesFreed, 2);

        THashTable Borrowing(10, false);
        TCountedKey Key(5, KeysFreed);
        Borrowing.Put(&Key, nullptr);
        Borrowing.Clear();
        QCOMPARE(KeysFreed, 9);
    }

    void containsValue_matchesComparableValuesOnly()
    {
        THashTable Table(10, true);
        TInteger Number(12);
        TString Text(QStringLiteral("x"));
        TObject Plain;
        Table.Put(new TInteger(1), &Number);
        Table.Put(new TInteger(2), &Text);
        Table.Put(new TInteger(3), &Plain);
        const TInteger EqualNumber(12);
        const TString EqualText(QStringLiteral("x"));
        QVERIFY(Table.ContainsValue(&EqualNumber));
        QVERIFY(Table.ContainsValue(&EqualText));
        QVERIFY(!Table.ContainsValue(&Plain));
        const TInteger OtherNumber(13);
        QVERIFY(!Table.ContainsValue(&OtherNumber));
        QVERIFY(!Table.ContainsValue(nullptr));
        Table.Put(new TInteger(4), nullptr);
        QVERIFY(Table.ContainsValue(nullptr));
    }

    void entries_comeFromTheGivenFactory()
    {
        int LiveEntries = 0;
        int FactoriesFreed = 0;
        {
            THashTable Table(3, true, std::make_unique<TCountedEntryFactory>(LiveEntries, FactoriesFreed));
            PutAll(Table, {1, 2, 3, 4, 5});
            QCOMPARE(LiveEntries, 5);
            TInteger Probe(2);
            Table.Remove(&Probe, false, true);
            QCOMPARE(LiveEntries, 4);
            QCOMPARE(FactoriesFreed, 0);
        }
        QCOMPARE(LiveEntries, 0);
        QCOMPARE(FactoriesFreed, 1);
    }
};

QTEST_GUILESS_MAIN(TestHashTable)
#include "tst_hashtable.moc"
