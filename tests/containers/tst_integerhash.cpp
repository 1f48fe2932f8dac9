#include "containers/IntegerHash.h"
#include "containers/String.h"

#include <QTest>

#include <limits>
#include <memory>

namespace {

constexpr qint32 MinInt = std::numeric_limits<qint32>::min();
constexpr qint32 MaxInt = std::numeric_limits<qint32>::max();

class TCountedValue : public TObject
{
public:
    explicit TCountedValue(int& Destroyed) : FDestroyed(Destroyed) {}
    ~TCountedValue() override { ++FDestroyed; }

private:
    int& FDestroyed;
};

QList<qint32> Keys(TIntegerHash& Table)
{
    QList<qint32> Result;
    if (Table.Count() == 0)
        return Result;
    std::unique_ptr<TIntegerHashIterator> Iterator = Table.Iterator();
    for (;;) {
        Result << Iterator->KeyInteger();
        if (!Iterator->HasNext())
            break;
        Iterator->Next();
    }
    return Result;
}

} // namespace

class TestIntegerHash : public QObject
{
    Q_OBJECT

private slots:
    void putGetRemove_data()
    {
        QTest::addColumn<qint32>("Key");
        QTest::newRow("0") << 0;
        QTest::newRow("-1") << -1;
        QTest::newRow("largest") << MaxInt;
        QTest::newRow("smallest") << MinInt;
    }

    // Each key among neighbours that share its hash or its bucket.
    void putGetRemove()
    {
        QFETCH(qint32, Key);
        TIntegerHash Table(10);
        TObject Others;
        for (const qint32 Other : {0, -1, 10, -11, MaxInt, MinInt, 7})
            if (Other != Key)
                QVERIFY(Table.Put(Other, &Others));
        TObject Value;
        QVERIFY(Table.Add(Key, &Value));
        QCOMPARE(Table.Count(), 7);
        QVERIFY(Table.ContainsKey(Key));
        QCOMPARE(Table.Get(Key), &Value);
        QCOMPARE(Table.Remove(Key), &Value);
        QVERIFY(!Table.ContainsKey(Key));
        QVERIFY(Table.Get(Key) == nullptr);
        QVERIFY(Table.Remove(Key) == nullptr);
        QCOMPARE(Table.Count(), 6);
    }

    void putOfPresentKey_replacesTheValue()
    {
        TIntegerHash Table(10);
        TObject First;
        TObject Second;
        QVERIFY(Table.Put(5, &First));
        QVERIFY(!Table.Put(5, &Second));
        QCOMPARE(Table.Count(), 1);
        QCOMPARE(Table.Get(5), &Second);
    }

    void growsAndWalksInBucketOrder()
    {
        TIntegerHash Table(10);
        for (const qint32 Key : {1, 9, 0, -1})
            Table.Put(Key, nullptr);
        // 9 in bucket 0; -1 and 0 in bucket 1, newest first; 1 in bucket 2.
        QCOMPARE(Keys(Table), (QList<qint32>{9, -1, 0, 1}));
        for (qint32 Key = 2; Key < 7; ++Key)
            Table.Put(Key, nullptr);
        QCOMPARE(Table.Table().Capacity(), 10);
        Table.Put(7, nullptr);
        QCOMPARE(Table.Table().Capacity(), 21);
        QCOMPARE(Keys(Table), (QList<qint32>{0, -1, 1, 2, 3, 4, 5, 6, 7, 9}));
    }

    void iterator_failsAfterPut()
    {
        TIntegerHash Table(10);
        Table.Put(1, nullptr);
        std::unique_ptr<TIntegerHashIterator> Iterator = Table.Iterator();
        Table.Put(2, nullptr);
        try {
            Iterator->KeyInteger();
            QFAIL("no error raised");
        } catch (const EError& Error) {
            QCOMPARE(Error.Message(), QStringLiteral("Iterator no longer valid"));
        }
    }

    void values_belongToTheCaller()
    {
        int Freed = 0;
        TCountedValue Kept(Freed);
        {
            TIntegerHash Table(4);
            Table.Put(1, &Kept);
            Table.Put(2, &Kept);
            Table.Remove(1);
            Table.Clear();
            Table.Put(3, &Kept);
        }
        QCOMPARE(Freed, 0);

        TIntegerHash Table(4);
        Table.Put(1, new TCountedValue(Freed));
        Table.Put(2, new TCountedValue(Freed));
        Table.ClearAndFreeValues();
        QCOMPARE(Freed, 2);
        QCOMPARE(Table.Count(), 0);
    }

    void iterator_rejectsKeysOfAnotherClass()
    {
        THashTable Table(10, true);
        Table.Put(new TString(QStringLiteral("x")), nullptr);
        const TIntegerHashIterator Iterator(Table);
        try {
            Iterator.KeyInteger();
            QFAIL("no error raised");
        } catch (const EError& Error) {
            QCOMPARE(Error.Message(), QStringLiteral("Wrong type. Expecting TInteger, got TString"));
        }
    }
};

QTEST_GUILESS_MAIN(TestIntegerHash)
#include "tst_integerhash.moc"
