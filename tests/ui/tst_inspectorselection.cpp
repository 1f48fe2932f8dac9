#include "TwinAddresses.h"

#include "ui/InspectorSelection.h"

#include "model/DocumentItem.h"

#include <QTest>

#include <algorithm>
#include <vector>

class TestInspectorSelection : public QObject
{
    Q_OBJECT

private slots:
    void objectsSharingTheirLowAddressBits_staySeparate()
    {
        TTwinAddresses<TDocumentItem> Twins;
        if (!Twins.Valid())
            QSKIP("no pair of fixed addresses could be mapped");
        QCOMPARE(quint32(quintptr(Twins.First())), quint32(quintptr(Twins.Second())));

        TInspectorSelection Selection;
        QVERIFY(Selection.Add(Twins.First()));
        QVERIFY(Selection.Add(Twins.Second()));
        QVERIFY(!Selection.Add(Twins.Second()));
        QCOMPARE(Selection.Count(), 2);
        std::vector<TObservableObject*> Objects = Selection.Objects();
        std::sort(Objects.begin(), Objects.end());
        std::vector<TObservableObject*> Expected{Twins.First(), Twins.Second()};
        std::sort(Expected.begin(), Expected.end());
        QCOMPARE(Objects, Expected);
    }

    void nullAndRepeatedObjects_areNotAdded()
    {
        TDocumentItem Item;
        TInspectorSelection Selection;
        QVERIFY(!Selection.Add(nullptr));
        QVERIFY(Selection.Add(&Item));
        QVERIFY(!Selection.Add(&Item));
        QCOMPARE(Selection.Count(), 1);
        QCOMPARE(Selection.First(), &Item);
        Selection.Clear();
        QCOMPARE(Selection.Count(), 0);
        QVERIFY(!Selection.First());
        QVERIFY(Selection.Objects().empty());
        QVERIFY(Selection.Add(&Item));
    }

    void order_isTheTablesIterationOrder()
    {
        // Ids count from 1 and an integer key k hashes to k + 1, so in the ten buckets
        // the set starts with the ninth object lands in bucket 0 and comes first.
        std::vector<TDocumentItem> Items(9);
        TInspectorSelection Selection;
        for (TDocumentItem& Item : Items)
            Selection.Add(&Item);
        const std::vector<TObservableObject*> Objects = Selection.Objects();
        QCOMPARE(Objects.size(), std::size_t(9));
        QCOMPARE(Objects.front(), &Items[8]);
        QCOMPARE(Selection.First(), &Items[8]);
        for (std::size_t Index = 1; Index < Objects.size(); ++Index)
            QCOMPARE(Objects[Index], &Items[Index - 1]);
    }
};

QTEST_MAIN(TestInspectorSelection)
#include "tst_inspectorselection.moc"
