#include "containers/HashEntry.h"
#include "containers/Integer.h"
#include "containers/String.h"
#include "containers/StringNoCase.h"

#include "model/AsciiText.h"

#include <QTest>

#include <functional>
#include <limits>
#include <map>
#include <memory>

namespace {

constexpr qint32 MinInt = std::numeric_limits<qint32>::min();
constexpr qint32 MaxInt = std::numeric_limits<qint32>::max();

// A number of another class than TInteger, to show that numbers compare by value.
class THalf : public TNumeric
{
public:
    explicit THalf(double Value) : FValue(Value) {}
    QString ClassName() const override { return QStringLiteral("THalf"); }
    double AsFloat() const override { return FValue; }
    qint32 HashCode() const override { return 0; }

private:
    double FValue;
};

// An integer of a derived class: it compares with TInteger but is never an equal key.
class TTaggedInteger : public TInteger
{
public:
    using TInteger::TInteger;
    QString ClassName() const override { return QStringLiteral("TTaggedInteger"); }
};

// Named objects the data rows refer to; "nil" stands for an absent object.
class TSamples
{
public:
    TSamples()
    {
        Add("int1", std::make_unique<TInteger>(1));
        Add("int1b", std::make_unique<TInteger>(1));
        Add("int2", std::make_unique<TInteger>(2));
        Add("tagged1", std::make_unique<TTaggedInteger>(1));
        Add("half", std::make_unique<THalf>(1.5));
        Add("str1", std::make_unique<TString>(QStringLiteral("1")));
        Add("strA", std::make_unique<TString>(QStringLiteral("A")));
        Add("strLowA", std::make_unique<TString>(QStringLiteral("a")));
        Add("nocaseA", std::make_unique<TStringNoCase>(QStringLiteral("a")));
        Add("nocaseAbc", std::make_unique<TStringNoCase>(QStringLiteral("abc")));
        Add("nocaseUpperAbc", std::make_unique<TStringNoCase>(QStringLiteral("ABC")));
        Add("plain", std::make_unique<TObject>());
        Add("entry1", std::make_unique<THashEntry>(Get<TComparable>("int1"), nullptr));
        Add("entry2", std::make_unique<THashEntry>(Get<TComparable>("int2"), nullptr));
    }

    template <class C = TObject>
    C* Get(const QString& Name) const
    {
        if (Name == QLatin1String("nil"))
            return nullptr;
        const auto Found = FObjects.find(Name);
        Q_ASSERT(Found != FObjects.end());
        auto* Typed = dynamic_cast<C*>(Found->second.get());
        Q_ASSERT(Typed);
        return Typed;
    }

private:
    void Add(const char* Name, std::unique_ptr<TObject> Object) { FObjects[QString::fromLatin1(Name)] = std::move(Object); }

    std::map<QString, std::unique_ptr<TObject>> FObjects;
};

int Sign(int Value)
{
    return Value < 0 ? -1 : (Value > 0 ? 1 : 0);
}

} // namespace

class TestComparable : public QObject
{
    Q_OBJECT

private slots:
    void keysEqual_data()
    {
        QTest::addColumn<QString>("A");
        QTest::addColumn<QString>("B");
        QTest::addColumn<bool>("Equal");
        QTest::newRow("both absent") << "nil" << "nil" << true;
        QTest::newRow("same object") << "int1" << "int1" << true;
        QTest::newRow("equal values") << "int1" << "int1b" << true;
        QTest::newRow("other values") << "int1" << "int2" << false;
        QTest::newRow("first absent") << "nil" << "int1" << false;
        QTest::newRow("second absent") << "int1" << "nil" << false;
        QTest::newRow("number and text") << "int1" << "str1" << false;
        QTest::newRow("derived class") << "int1" << "tagged1" << false;
        QTest::newRow("case-sensitive and not") << "strLowA" << "nocaseA" << false;
        QTest::newRow("no case, other case") << "nocaseAbc" << "nocaseUpperAbc" << true;
        QTest::newRow("case-sensitive, other case") << "strA" << "strLowA" << false;
        QTest::newRow("not comparable, same object") << "plain" << "plain" << false;
        QTest::newRow("not comparable and absent") << "plain" << "nil" << false;
        QTest::newRow("entries with equal keys") << "entry1" << "entry1" << true;
    }

    void keysEqual()
    {
        QFETCH(QString, A);
        QFETCH(QString, B);
        QFETCH(bool, Equal);
        const TSamples Samples;
        QCOMPARE(TComparable::KeysEqual(Samples.Get(A), Samples.Get(B)), Equal);
    }

    void compareKeys_data()
    {
        QTest::addColumn<QString>("A");
        QTest::addColumn<QString>("B");
        QTest::addColumn<int>("Result");
        QTest::newRow("both absent") << "nil" << "nil" << 0;
        QTest::newRow("same object") << "str1" << "str1" << 0;
        QTest::newRow("first absent") << "nil" << "int1" << -1;
        QTest::newRow("second absent") << "int1" << "nil" << -1;
        QTest::newRow("smaller") << "int1" << "int2" << -1;
        QTest::newRow("greater") << "int2" << "int1" << 1;
        QTest::newRow("equal values") << "int1" << "int1b" << 0;
        QTest::newRow("integer below a half") << "int1" << "half" << -1;
        QTest::newRow("integer above a half") << "int2" << "half" << 1;
        QTest::newRow("derived integer") << "tagged1" << "int1" << 0;
        QTest::newRow("ordinal, not by locale") << "strLowA" << "strA" << 1;
        QTest::newRow("no case against case-sensitive") << "nocaseA" << "strA" << 0;
        QTest::newRow("entries by their keys") << "entry2" << "entry1" << 1;
    }

    void compareKeys()
    {
        QFETCH(QString, A);
        QFETCH(QString, B);
        QFETCH(int, Result);
        const TSamples Samples;
        QCOMPARE(Sign(TComparable::CompareKeys(Samples.Get<TComparable>(A), Samples.Get<TComparable>(B))), Result);
    }

    void compareTo_unlikeClasses_data()
    {
        QTest::addColumn<QString>("Receiver");
        QTest::addColumn<QString>("Other");
        QTest::addColumn<QString>("Message");
        QTest::newRow("number with text") << "int1" << "str1" << "TNumeric cannot be compared with TString";
        QTest::newRow("number with entry") << "half" << "entry1" << "TNumeric cannot be compared with THashEntry";
        QTest::newRow("text with number") << "str1" << "int2" << "TString cannot be compared with TInteger";
        QTest::newRow("no-case text with number") << "nocaseA" << "tagged1"
                                                  << "TString cannot be compared with TTaggedInteger";
        QTest::newRow("text with plain object") << "strA" << "plain" << "TString cannot be compared with TObject";
        QTest::newRow("entry with number") << "entry1" << "int1" << "THashEntry cannot be compared with TInteger";
        QTest::newRow("number with nothing") << "int1" << "nil" << "TNumeric cannot be compared with nil";
    }

    void compareTo_unlikeClasses()
    {
        QFETCH(QString, Receiver);
        QFETCH(QString, Other);
        QFETCH(QString, Message);
        const TSamples Samples;
        try {
            Samples.Get<TComparable>(Receiver)->CompareTo(Samples.Get(Other));
            QFAIL("no error raised");
        } catch (const ECompareException& Error) {
            QCOMPARE(Error.Message(), Message);
        }
    }

    void checkType_acceptsDerivedClassesOnly()
    {
        const TTaggedInteger Tagged(4);
        QCOMPARE(TComparable::CheckType<TInteger>(&Tagged, QStringLiteral("TInteger")).Value(), 4);
        const TInteger Plain(4);
        try {
            TComparable::CheckType<TTaggedInteger>(&Plain, QStringLiteral("TTaggedInteger"));
            QFAIL("no error raised");
        } catch (const ECompareException& Error) {
            QCOMPARE(Error.Message(), QStringLiteral("TTaggedInteger cannot be compared with TInteger"));
        }
    }

    void integerHash_data()
    {
        QTest::addColumn<qint32>("Value");
        QTest::addColumn<qint32>("Hash");
        QTest::newRow("0") << 0 << 1;
        QTest::newRow("5") << 5 << 6;
        QTest::newRow("-1") << -1 << -1;
        QTest::newRow("-5") << -5 << -5;
        QTest::newRow("largest wraps") << MaxInt << MinInt;
        QTest::newRow("smallest") << MinInt << MinInt;
    }

    void integerHash()
    {
        QFETCH(qint32, Value);
        QFETCH(qint32, Hash);
        QCOMPARE(TInteger(Value).HashCode(), Hash);
    }

    void stringHash_data()
    {
        QTest::addColumn<QString>("Text");
        QTest::addColumn<qint32>("Hash");
        QTest::newRow("abc") << "abc" << 96354;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("hello") << "hello" << 99162322;
        QTest::newRow("wraps to a negative") << "Hello World" << -862545276;
        QTest::newRow("wraps to the smallest") << "polygenelubricants" << MinInt;
        QTest::newRow("UTF-16 unit, not UTF-8 bytes") << QStringLiteral("\u00E4") << 228;
        QTest::newRow("surrogate pair") << QStringLiteral("\U0001F600") << 1772899;
        QTest::newRow("case kept") << "FontSize" << 430245136;
    }

    void stringHash()
    {
        QFETCH(QString, Text);
        QFETCH(qint32, Hash);
        QCOMPARE(TString(Text).HashCode(), Hash);
    }

    void noCaseHash_ignoresAsciiCaseOnly_data()
    {
        QTest::addColumn<QString>("A");
        QTest::addColumn<QString>("B");
        QTest::addColumn<bool>("Same");
        QTest::newRow("mixed and upper") << "FontSize" << "FONTSIZE" << true;
        QTest::newRow("lower and upper") << "fontsize" << "FONTSIZE" << true;
        QTest::newRow("other text") << "FontSize" << "FontSiz" << false;
        QTest::newRow("non-ASCII letters keep their case") << QStringLiteral("\u00E4") << QStringLiteral("\u00C4")
                                                           << false;
    }

    void noCaseHash_ignoresAsciiCaseOnly()
    {
        QFETCH(QString, A);
        QFETCH(QString, B);
        QFETCH(bool, Same);
        const TStringNoCase KeyA(A);
        const TStringNoCase KeyB(B);
        QCOMPARE(KeyA.HashCode() == KeyB.HashCode(), Same);
        QCOMPARE(KeyA.CompareTo(&KeyB) == 0, Same);
        QCOMPARE(TComparable::KeysEqual(&KeyA, &KeyB), Same);
        QCOMPARE(KeyA.HashCode(), TString(TAsciiText::UpperCase(A)).HashCode());
    }

    void noCaseCompare_data()
    {
        QTest::addColumn<QString>("A");
        QTest::addColumn<QString>("B");
        QTest::addColumn<int>("Result");
        QTest::newRow("equal but for case") << "Edge" << "eDGE" << 0;
        QTest::newRow("smaller letter") << "abc" << "ABD" << -1;
        QTest::newRow("greater letter") << "Abd" << "abc" << 1;
        QTest::newRow("prefix first") << "a" << "AB" << -1;
        QTest::newRow("longer last") << "ab" << "A" << 1;
        QTest::newRow("digits") << "Item10" << "item9" << -1;
    }

    void noCaseCompare()
    {
        QFETCH(QString, A);
        QFETCH(QString, B);
        QFETCH(int, Result);
        const TStringNoCase Key(A);
        const TString Other(B);
        QCOMPARE(Sign(Key.CompareTo(&Other)), Result);
    }

    void hashEntry_hashesItsKey()
    {
        TString Key(QStringLiteral("abc"));
        const THashEntry Entry(&Key, nullptr);
        QCOMPARE(Entry.HashCode(), 96354);
    }
};

QTEST_GUILESS_MAIN(TestComparable)
#include "tst_comparable.moc"
