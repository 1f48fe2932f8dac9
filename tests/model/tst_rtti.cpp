#include "model/ConvertError.h"
#include "model/DocumentItem.h"
#include "model/RTTI.h"

#include <QLocale>
#include <QTest>

namespace {

// Runs the write and returns the error message, or an empty text when it succeeded.
QString WriteAndCatch(TDocumentItem& Item, const QString& Name, const QString& Text)
{
    try {
        TRTTI::SetPropertyValue(&Item, Name, Text);
    } catch (const EConvertError& Error) {
        return Error.Message();
    }
    return {};
}

} // namespace

class TestRTTI : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void setPropertyValue_parsesByKind_data()
    {
        QTest::addColumn<QString>("Locale");
        QTest::addColumn<QString>("Name");
        QTest::addColumn<QString>("Text");
        QTest::addColumn<QString>("ReadBack");

        QTest::newRow("decimal") << "C" << "BoxWidth" << "600" << "600";
        QTest::newRow("negative") << "C" << "BoxRelativeY" << "-40" << "-40";
        QTest::newRow("hexadecimal") << "C" << "FontColor" << "$FF" << "255";
        QTest::newRow("hexadecimal bit pattern") << "C" << "EdgeColor" << "$FFFFFFFF" << "-1";
        QTest::newRow("name in other case") << "C" << "boxwidth" << "7" << "7";
        QTest::newRow("enumeration") << "C" << "BoxAlign" << "taCenter" << "taCenter";
        QTest::newRow("boolean") << "C" << "Edge" << "True" << "True";
        QTest::newRow("float, C locale") << "C" << "EdgeWidthHard" << "1.5" << "1.5";
        QTest::newRow("float, Hungarian") << "hu_HU" << "EdgeWidthHard" << "2,25" << "2,25";
        QTest::newRow("float exponent") << "C" << "EdgeWidthSoft" << "1E-6" << "1E-6";
        QTest::newRow("text unchanged") << "C" << "FontName" << " Noto Sans " << " Noto Sans ";
        QTest::newRow("empty text") << "C" << "SubtitleDirectory" << "" << "";
    }

    void setPropertyValue_parsesByKind()
    {
        QFETCH(QString, Locale);
        QFETCH(QString, Name);
        QFETCH(QString, Text);
        QFETCH(QString, ReadBack);
        QLocale::setDefault(QLocale(Locale));
        TDocumentItem Item;
        Item.SetSubtitleDirectory(QStringLiteral("before"));
        const TPropertyInfo* Property = TRTTI::SetPropertyValue(&Item, Name, Text);
        QVERIFY(Property);
        QCOMPARE(Property->ReadText(Item), ReadBack);
    }

    void setPropertyValue_rejectsMalformedText_data()
    {
        QTest::addColumn<QString>("Locale");
        QTest::addColumn<QString>("Name");
        QTest::addColumn<QString>("Text");
        QTest::addColumn<QString>("Message");

        QTest::newRow("letters for integer") << "C" << "BoxWidth" << "abc" << "''abc'' is not a valid integer value";
        QTest::newRow("empty integer") << "C" << "FontSize" << "" << "'''' is not a valid integer value";
        QTest::newRow("beyond 32 bits") << "C" << "BoxWidth" << "2147483648" << "''2147483648'' is not a valid integer value";
        QTest::newRow("trailing garbage") << "C" << "BoxWidth" << "12px" << "''12px'' is not a valid integer value";
        QTest::newRow("unknown identifier") << "C" << "BoxAlign" << "taMiddle" << "Invalid property element: taMiddle";
        QTest::newRow("boolean word") << "C" << "FontStyleBold" << "Yes" << "Invalid property element: Yes";
        QTest::newRow("point in Hungarian") << "hu_HU" << "EdgeWidthHard" << "1.5" << "'1.5' is not a valid floating point value";
        QTest::newRow("word for float") << "C" << "EdgeWidthHard" << "wide" << "'wide' is not a valid floating point value";
    }

    void setPropertyValue_rejectsMalformedText()
    {
        QFETCH(QString, Locale);
        QFETCH(QString, Name);
        QFETCH(QString, Text);
        QFETCH(QString, Message);
        QLocale::setDefault(QLocale(Locale));
        TDocumentItem Item;
        const TPropertyInfo* Property = Item.ClassType().FindProperty(Name);
        const TPropertyValue Before = Property->Read(Item);
        int Notifications = 0;
        Item.SetOnChanged([&](TObservableObject&, const QString&) { ++Notifications; });

        QCOMPARE(WriteAndCatch(Item, Name, Text), Message);
        QVERIFY(Property->Read(Item) == Before);
        QCOMPARE(Notifications, 0);
    }

    void setPropertyValue_unknownNameOrNoInstanceDoesNothing()
    {
        TDocumentItem Item;
        int Notifications = 0;
        Item.SetOnChanged([&](TObservableObject&, const QString&) { ++Notifications; });
        QVERIFY(TRTTI::SetPropertyValue(&Item, QStringLiteral("NoSuchThing"), QStringLiteral("1")) == nullptr);
        QVERIFY(TRTTI::SetPropertyValue(&Item, QStringLiteral("SubtitleContent"), QStringLiteral("x")) == nullptr);
        QVERIFY(TRTTI::SetPropertyValue(nullptr, QStringLiteral("BoxWidth"), QStringLiteral("1")) == nullptr);
        QCOMPARE(Notifications, 0);
        QCOMPARE(Item.SubtitleContent(), QString());
    }

    void setPropertyValue_notifiesThroughSetter()
    {
        TDocumentItem Item;
        QStringList Names;
        Item.SetOnChanged([&](TObservableObject&, const QString& Name) { Names << Name; });
        TRTTI::SetPropertyValue(&Item, QStringLiteral("videowidth"), QStringLiteral("720"));
        TRTTI::SetPropertyValue(&Item, QStringLiteral("VideoWidth"), QStringLiteral("720"));
        QCOMPARE(Names, QStringList{"VideoWidth"});
    }
};

QTEST_GUILESS_MAIN(TestRTTI)
#include "tst_rtti.moc"
