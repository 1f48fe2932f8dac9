#include "containers/HashTable.h"
#include "containers/HashTableIterator.h"
#include "containers/Integer.h"

#include <QTest>

#include <functional>
#include <memory>

namespace {

using TChange = std::function<void(THashTable&)>;

// Every key of these tables is of this class (keys of another class never match); a
// key made with a counter counts its destruction.
class TCountedKey : public TInteger
{
public:
    explicit TCountedKey(qint32 Value, int* Destroyed = nullptr) : TInteger(Value), FDestroyed(Destroyed) {}
    ~TCountedKey() override
    {
        if (FDestroyed)
            ++*FDestroyed;
    }

private:
    int* FDestroyed;
};

// Keys that share buckets and leave others empty: with 20 buckets, 19 and 39 land in
// bucket 0, 0, 20, 40 and 100 in bucket 1, 1 and 21 in bucket 2.
const QList<qint32> MixedKeys{0, 20, 40, 1, 21, 5, 6, 19, 39, 100, 7, 8};

void Fill(THashTable& Table, const QList<qint32>& Keys, int& Freed)
{
    for (const qint32 Key : Keys)
        Table.Put(new TCountedKey(Key, &Freed), nullptr);
}

qint32 KeyOf(const TMapIterator& Iterator)
{
    return dynamic_cast<const TInteger&>(*Iterator.Key()).Value();
}

QList<qint32> Walk(THashTable& Table)
{
    QList<qint32> Keys;
    if (Table.Count() == 0)
        return Keys;
    std::unique_ptr<TMapIterator> Iterator = Table.Iterator();
    for (;;) {
        Keys << KeyOf(*Iterator);
        if (!Iterator->HasNext())
            break;
        Iterator->Next();
    }
    return Keys;
}

template <class F>
QString MessageOf(F&& Step)
{
    try {
        Step();
    } catch (const EError& Error) {
        return Error.Message();
    }
    return QStringLiteral("(no error)");
}

} // namespace

class TestHashTableIterator : public QObject
{
    Q_OBJECT

private slots:
    void walk_visitsEveryEntryOnce()
    {
        int Freed = 0;
        THashTable Table(20, true);
        Fill(Table, MixedKeys, Freed);
        const QList<qint32> Order = Walk(Table);
        // Bucket 0 newest first, then bucket 1 newest first, and so on.
        QCOMPARE(Order, (QList<qint32>{39, 19, 100, 40, 20, 0, 21, 1, 5, 6, 7, 8}));

        std::unique_ptr<TMapIterator> Iterator = Table.Iterator();
        for (int Step = 0; Step < Order.size() - 1; ++Step) {
            QVERIFY(Iterator->HasNext());
            Iterator->Next();
        }
        QVERIFY(!Iterator->HasNext());
        QVERIFY(Iterator->IsEntryValid());
        QCOMPARE(KeyOf(*Iterator), 8);
        // Stepping past the end leaves no current entry rather than failing.
        Iterator->Next();
        QVERIFY(Iterator->Key() == nullptr);
        QVERIFY(Iterator->Value() == nullptr);
        QVERIFY(Iterator->IsValid());
    }

    void emptyTable_hasNoEntry()
    {
        THashTable Table(3, true);
        std::unique_ptr<TMapIterator> Iterator = Table.Iterator();
        QVERIFY(!Iterator->HasNext());
        QVERIFY(Iterator->Key() == nullptr);
        QVERIFY(!Iterator->IsEntryValid());
        Iterator->Next();
        Iterator->Remove();
        QVERIFY(Iterator->IsValid());
        QCOMPARE(MessageOf([&] { Iterator->SetValue(nullptr); }), QStringLiteral("The entry is not valid"));
    }

    void changeOfTheTable_data()
    {
        QTest::addColumn<TChange>("Change");
        QTest::addColumn<bool>("Invalidates");
        QTest::newRow("put of a new key") << TChange([](THashTable& T) { T.Put(new TCountedKey(1000), nullptr); })
                                          << true;
        QTest::newRow("put that grows the table") << TChange([](THashTable& T) {
            for (int Key = 1000; T.Capacity() == 20; ++Key)
                T.Put(new TCountedKey(Key), nullptr);
        }) << true;
        // Remove(Key) frees the given key as well when the table owns its keys.
        QTest::newRow("remove of a present key") << TChange([](THashTable& T) { T.Remove(new TCountedKey(21)); })
                                                 << true;
        QTest::newRow("clear") << TChange([](THashTable& T) { T.Clear(); }) << true;
        QTest::newRow("clear and free values") << TChange([](THashTable& T) { T.ClearAndFreeValues(); }) << true;
        QTest::newRow("rehash") << TChange([](THashTable& T) { T.Rehash(); }) << true;
        QTest::newRow("put of a present key") << TChange([](THashTable& T) { T.Put(new TCountedKey(21), nullptr); })
                                              << false;
        QTest::newRow("remove of an absent key") << TChange([](THashTable& T) {
            TCountedKey Absent(1000);
            T.Remove(&Absent);
        }) << false;
        QTest::newRow("lookups") << TChange([](THashTable& T) {
            TCountedKey Probe(21);
            T.Get(&Probe);
            T.ContainsKey(&Probe);
            T.ContainsValue(nullptr);
        }) << false;
        QTest::newRow("value set through another iterator") << TChange([](THashTable& T) {
            T.Iterator()->SetValue(nullptr);
        }) << false;
    }

    void changeOfTheTable()
    {
        QFETCH(TChange, Change);
        QFETCH(bool, Invalidates);
        int Freed = 0;
        THashTable Table(20, true);
        Fill(Table, MixedKeys, Freed);
        const QList<qint32> Order = Walk(Table);
        std::unique_ptr<TMapIterator> Iterator = Table.Iterator();
        Iterator->Next();
        Change(Table);

        QCOMPARE(Iterator->IsValid(), !Invalidates);
        if (!Invalidates) {
            QList<qint32> Rest{KeyOf(*Iterator)};
            while (Iterator->HasNext()) {
                Iterator->Next();
                Rest << KeyOf(*Iterator);
            }
            QCOMPARE(Rest, Order.mid(1));
            return;
        }
        const QString Invalid = QStringLiteral("Iterator no longer valid");
        QCOMPARE(MessageOf([&] { Iterator->Next(); }), Invalid);
        QCOMPARE(MessageOf([&] { Iterator->HasNext(); }), Invalid);
        QCOMPARE(MessageOf([&] { Iterator->Key(); }), Invalid);
        QCOMPARE(MessageOf([&] { Iterator->Value(); }), Invalid);
        QCOMPARE(MessageOf([&] { Iterator->IsEntryValid(); }), Invalid);
        QCOMPARE(MessageOf([&] { Iterator->Remove(); }), Invalid);
        QCOMPARE(MessageOf([&] { Iterator->SetValue(nullptr); }), Invalid);
        QVERIFY(!Iterator->IsValid());
    }

    // Every entry is visited once, whichever of them the loop removes as it goes.
    void removeDuringLoop_data()
    {
        QTest::addColumn<QList<int>>("RemovedSteps");
        QTest::newRow("none") << QList<int>{};
        QTest::newRow("every other, from the first") << QList<int>{0, 2, 4, 6, 8, 10};
        QTest::newRow("every other, from the second") << QList<int>{1, 3, 5, 7, 9, 11};
        QTest::newRow("all") << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
        QTest::newRow("first only") << QList<int>{0};
        QTest::newRow("last only") << QList<int>{11};
        QTest::newRow("ends of chains") << QList<int>{1, 5, 7};
        QTest::newRow("whole first chain") << QList<int>{0, 1};
    }

    void removeDuringLoop()
    {
        QFETCH(QList<int>, RemovedSteps);
        int Freed = 0;
        THashTable Table(20, true);
        Fill(Table, MixedKeys, Freed);
        const QList<qint32> Order = Walk(Table);

        QList<qint32> Visited;
        QList<qint32> Kept;
        std::unique_ptr<TMapIterator> Iterator = Table.Iterator();
        for (int Step = 0;; ++Step) {
            QVERIFY(Iterator->IsEntryValid());
            const qint32 Key = KeyOf(*Iterator);
            Visited << Key;
            if (RemovedSteps.contains(Step)) {
                Iterator->Remove();
                QVERIFY(Iterator->IsValid());
                QVERIFY(!Iterator->IsEntryValid());
                QVERIFY(Iterator->Key() == nullptr);
                QVERIFY(Iterator->Value() == nullptr);
            } else {
                Kept << Key;
            }
            if (!Iterator->HasNext())
                break;
            Iterator->Next();
        }
        QCOMPARE(Visited, Order);
        QVERIFY(Iterator->IsValid());
        QCOMPARE(Table.Count(), Kept.size());
        QCOMPARE(Walk(Table), Kept);
        QCOMPARE(Freed, RemovedSteps.size());
    }

    void removeTwice_removesOnce()
    {
        int Freed = 0;
        THashTable Table(20, true);
        Fill(Table, MixedKeys, Freed);
        std::unique_ptr<TMapIterator> Iterator = Table.Iterator();
        Iterator->Next();
        Iterator->Remove();
        Iterator->Remove();
        QCOMPARE(Table.Count(), MixedKeys.size() - 1);
        QCOMPARE(Freed, 1);
        QCOMPARE(MessageOf([&] { Iterator->SetValue(nullptr); }), QStringLiteral("The entry is not valid"));
        // Next settles on the successor that Remove already moved to.
        Iterator->Next();
        QCOMPARE(KeyOf(*Iterator), Walk(Table).at(1));
    }

    void removeThroughOneIterator_invalidatesAnother()
    {
        int Freed = 0;
        THashTable Table(20, true);
        Fill(Table, MixedKeys, Freed);
        std::unique_ptr<TMapIterator> Remover = Table.Iterator();
        std::unique_ptr<TMapIterator> Reader = Table.Iterator();
        Remover->Remove();
        QVERIFY(Remover->IsValid());
        QVERIFY(!Reader->IsValid());
        QCOMPARE(MessageOf([&] { Reader->Next(); }), QStringLiteral("Iterator no longer valid"));
    }

    void removeWithoutOwnership_keepsTheKey()
    {
        int Freed = 0;
        TCountedKey Key(4, &Freed);
        THashTable Table(5, false);
        Table.Put(&Key, nullptr);
        std::unique_ptr<TMapIterator> Iterator = Table.Iterator();
        Iterator->Remove();
        QCOMPARE(Table.Count(), 0);
        QCOMPARE(Freed, 0);
        QVERIFY(!Iterator->HasNext());
    }

    void setValue_replacesTheCurrentValue()
    {
        int Freed = 0;
        THashTable Table(20, true);
        Fill(Table, MixedKeys, Freed);
        TObject Value;
        std::unique_ptr<TMapIterator> Iterator = Table.Iterator();
        Iterator->Next();
        Iterator->Next();
        const qint32 Key = KeyOf(*Iterator);
        const quint32 ModCount = Table.ModCount();
        Iterator->SetValue(&Value);
        QCOMPARE(Iterator->Value(), &Value);
        const TCountedKey Probe(Key);
        QCOMPARE(Table.Get(&Probe), &Value);
        QCOMPARE(Table.ModCount(), ModCount);

        // Past the last entry there is nothing to set.
        while (Iterator->HasNext())
            Iterator->Next();
        Iterator->Next();
        QCOMPARE(MessageOf([&] { Iterator->SetValue(&Value); }), QStringLiteral("The entry is not valid"));
    }
};

QTEST_GUILESS_MAIN(TestHashTableIterator)
#include "tst_hashtableiterator.moc"
