#include "model/ApplicationDirectory.h"
#include "model/ConvertError.h"
#include "model/DocumentItem.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Writes an attribute file into the directory and points every object at it.
void UseAttributeFile(const QTemporaryDir& Directory, const QByteArray& Content)
{
    const QString FileName = Directory.filePath(QStringLiteral("TypeAttributes.xml"));
    QFile File(FileName);
    QVERIFY(File.open(QIODevice::WriteOnly | QIODevice::Truncate));
    File.write(Content);
    File.close();
    TAttributedObservableObject::SetAttributeFileName(FileName);
}

} // namespace

class TestAttributedObservableObject : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { TAttributedObservableObject::SetAttributeFileName(QString()); }

    void reload_appliesAncestorFirstThenOwnEntries()
    {
        QTemporaryDir Directory;
        UseAttributeFile(Directory, R"(<Attributes>
            <Type Name="TSubtitleItem">
              <Property Name="FontSize" Index="3" Description="ancestor" DefaultValue="20"/>
              <Property Name="FontName" Index="4" DefaultValue="Arial"/>
            </Type>
            <Type Name="tdocumentitem" Ancestor="TSubtitleItem">
              <Property Name="FontSize" DefaultValue="24"/>
              <Property Name="  VideoWidth  " Index="9" Description="frame" DefaultValue="720"/>
            </Type>
          </Attributes>)");
        TDocumentItem Item;
        QList<qint32> FontSizes;
        Item.SetOnChanged([&](TObservableObject&, const QString& Name) {
            if (Name == QLatin1String("FontSize"))
                FontSizes << Item.FontSize();
        });
        Item.LoadAttributes(true);

        QCOMPARE(FontSizes, (QList<qint32>{20, 24}));
        QCOMPARE(Item.FontName(), QStringLiteral("Arial"));
        QCOMPARE(Item.VideoWidth(), 720);
        const TPropertyAttribute* FontSize = Item.GetPropertyAttribute(QStringLiteral("FontSize"));
        QVERIFY(FontSize);
        QCOMPARE(FontSize->Index, 3);
        QCOMPARE(FontSize->Description, QStringLiteral("ancestor"));
        QCOMPARE(FontSize->DefaultValue, QStringLiteral("24"));
        QVERIFY(Item.GetPropertyAttribute(QStringLiteral("VideoWidth")));
        QVERIFY(!Item.GetPropertyAttribute(QStringLiteral("fontsize")));
        QVERIFY(!Item.GetPropertyAttribute(QStringLiteral("BoxWidth")));
    }

    void lookupWithoutReload_writesNoDefaults()
    {
        QTemporaryDir Directory;
        UseAttributeFile(Directory, R"(<a><t Name="TSubtitleItem"><p Name="FontSize" DefaultValue="30"/></t></a>)");
        TSubtitleItem Item;
        QVERIFY(Item.GetPropertyAttribute(QStringLiteral("FontSize")));
        QCOMPARE(Item.FontSize(), 0);
    }

    void entryInOtherCase_writesDefaultButIsNotFound()
    {
        QTemporaryDir Directory;
        UseAttributeFile(Directory, R"(<a><t Name="TSubtitleItem"><p Name="fontsize" DefaultValue="30"/><p Name="   " Index="1"/><p Index="2"/></t></a>)");
        TSubtitleItem Item;
        Item.LoadAttributes(true);
        QCOMPARE(Item.FontSize(), 30);
        QVERIFY(!Item.GetPropertyAttribute(QStringLiteral("FontSize")));
        QVERIFY(Item.GetPropertyAttribute(QStringLiteral("fontsize")));
        QVERIFY(!Item.GetPropertyAttribute(QString()));
    }

    void ancestorChains_endAtMissingOrRepeatedTypes_data()
    {
        QTest::addColumn<QByteArray>("Content");
        QTest::addColumn<qint32>("FontSize");
        QTest::newRow("missing ancestor") << QByteArray(R"(<a><t Name="TSubtitleItem" Ancestor="TNowhere"><p Name="FontSize" DefaultValue="11"/></t></a>)") << 11;
        QTest::newRow("loop of two") << QByteArray(R"(<a>
            <t Name="TSubtitleItem" Ancestor="TBase"><p Name="FontSize" DefaultValue="12"/></t>
            <t Name="TBase" Ancestor="tsubtitleitem"><p Name="FontSize" DefaultValue="99"/><p Name="VideoWidth" DefaultValue="5"/></t></a>)") << 12;
        QTest::newRow("names itself") << QByteArray(R"(<a><t Name="TSubtitleItem" Ancestor="TSubtitleItem"><p Name="FontSize" DefaultValue="13"/></t></a>)") << 13;
        QTest::newRow("empty ancestor") << QByteArray(R"(<a><t Name="TSubtitleItem" Ancestor=""><p Name="FontSize" DefaultValue="14"/></t></a>)") << 14;
    }

    void ancestorChains_endAtMissingOrRepeatedTypes()
    {
        QFETCH(QByteArray, Content);
        QFETCH(qint32, FontSize);
        QTemporaryDir Directory;
        UseAttributeFile(Directory, Content);
        TSubtitleItem Item;
        Item.LoadAttributes(true);
        QCOMPARE(Item.FontSize(), FontSize);
    }

    void unknownClass_leavesTableEmpty()
    {
        QTemporaryDir Directory;
        UseAttributeFile(Directory, R"(<a><t Name="TOther"><p Name="FontSize" DefaultValue="30"/></t></a>)");
        TSubtitleItem Item;
        Item.LoadAttributes(true);
        QCOMPARE(Item.FontSize(), 0);
        QVERIFY(!Item.GetPropertyAttribute(QStringLiteral("FontSize")));
    }

    void missingOrBrokenFile_raisesNamingTheFile_data()
    {
        QTest::addColumn<QByteArray>("Content");
        QTest::addColumn<bool>("Write");
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("not xml") << QByteArray("<a><t Name=") << true;
    }

    void missingOrBrokenFile_raisesNamingTheFile()
    {
        QFETCH(QByteArray, Content);
        QFETCH(bool, Write);
        QTemporaryDir Directory;
        if (Write)
            UseAttributeFile(Directory, Content);
        else
            TAttributedObservableObject::SetAttributeFileName(Directory.filePath(QStringLiteral("TypeAttributes.xml")));
        TSubtitleItem Item;
        try {
            Item.GetPropertyAttribute(QStringLiteral("FontSize"));
            QFAIL("no error raised");
        } catch (const EError& Error) {
            QVERIFY2(Error.Message().contains(QStringLiteral("TypeAttributes.xml")), qPrintable(Error.Message()));
        }
        // The table stayed empty, so a repaired file is read on the next lookup.
        UseAttributeFile(Directory, R"(<a><t Name="TSubtitleItem"><p Name="FontSize" Index="2"/></t></a>)");
        QVERIFY(Item.GetPropertyAttribute(QStringLiteral("FontSize")));
    }

    void badIndex_raisesButKeepsEarlierEntries()
    {
        QTemporaryDir Directory;
        UseAttributeFile(Directory, R"(<a><t Name="TSubtitleItem"><p Name="FontName" Index="1" DefaultValue="Arial"/><p Name="FontSize" Index=""/><p Name="VideoWidth" Index="3"/></t></a>)");
        TSubtitleItem Item;
        QVERIFY_THROWS_EXCEPTION(EConvertError, Item.LoadAttributes(true));
        QCOMPARE(Item.FontName(), QStringLiteral("Arial"));
        QVERIFY(Item.GetPropertyAttribute(QStringLiteral("FontName")));
        QVERIFY(!Item.GetPropertyAttribute(QStringLiteral("VideoWidth")));
    }

    void defaultThatDoesNotConvert_raisesAfterEarlierDefaults()
    {
        QTemporaryDir Directory;
        UseAttributeFile(Directory, R"(<a><t Name="TSubtitleItem"><p Name="VideoWidth" DefaultValue="720"/><p Name="BoxAlign" DefaultValue="taMiddle"/><p Name="FontSize" DefaultValue="9"/></t></a>)");
        TSubtitleItem Item;
        QVERIFY_THROWS_EXCEPTION(EConvertError, Item.LoadAttributes(true));
        QCOMPARE(Item.VideoWidth(), 720);
        QCOMPARE(Item.FontSize(), 0);
    }

    void shippedFile_describesEveryShownProperty_data()
    {
        QTest::addColumn<QString>("ClassName");
        QTest::newRow("document item") << "TDocumentItem";
        QTest::newRow("subtitle item") << "TSubtitleItem";
    }

    void shippedFile_describesEveryShownProperty()
    {
        QFETCH(QString, ClassName);
        TAttributedObservableObject::SetAttributeFileName(AttributeFilePath());
        std::unique_ptr<TAttributedObservableObject> Object(
            ClassName == QLatin1String("TDocumentItem") ? static_cast<TAttributedObservableObject*>(new TDocumentItem)
                                                          : new TSubtitleItem);
        QSet<qint32> Indexes;
        qint32 ShownRows = 0;
        for (const TPropertyInfo& Property : Object->ClassType().Properties()) {
            if (Property.IsHidden())
                continue;
            ++ShownRows;
            const TPropertyAttribute* Attribute = Object->GetPropertyAttribute(Property.Name);
            QVERIFY2(Attribute, qPrintable(Property.Name));
            QVERIFY2(!Attribute->Description.isEmpty(), qPrintable(Property.Name));
            QVERIFY2(!Indexes.contains(Attribute->Index), qPrintable(Property.Name));
            Indexes.insert(Attribute->Index);
        }
        for (qint32 Index : Indexes)
            QVERIFY(Index >= 1 && Index <= ShownRows);
    }

    void shippedFile_givesUsableDefaults()
    {
        TAttributedObservableObject::SetAttributeFileName(AttributeFilePath());
        TDocumentItem Item;
        Item.LoadAttributes(true);
        QCOMPARE(Item.VideoWidth(), 1920);
        QCOMPARE(Item.VideoHeight(), 1080);
        QCOMPARE(Item.BoxAlign(), taCenter);
        QVERIFY(Item.BoxWidth() > 0 && Item.BoxWidth() <= Item.VideoWidth());
        QCOMPARE(Item.LineMaximum(), 2);
        QCOMPARE(Item.SourceLineIncrement(), 1);
        QCOMPARE(Item.FontColor(), 0xFFFFFF);
        QVERIFY(Item.Edge());
        QVERIFY(Item.SubtitleDirectory().contains(QStringLiteral("{SourceFileName}")));
        QVERIFY(Item.SubtitleFileName().contains(QStringLiteral("{0}")));
        for (const TPropertyInfo& Property : Item.ClassType().Properties())
            if (!Property.IsHidden() && Property.Kind != TPropertyKind::Text)
                QCOMPARE(Item.Validate(Property.Name, Property.ReadText(Item)), QString());
    }
};

QTEST_GUILESS_MAIN(TestAttributedObservableObject)
#include "tst_attributedobservableobject.moc"
