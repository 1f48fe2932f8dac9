#include "model/DocumentItem.h"
#include "model/Project.h"

#include <QTest>

namespace {

const QString LineMaximumMessage = QStringLiteral("The LineMaximum's value must be greater than 0.");
const QString BoxWidthMessage = QStringLiteral("The BoxWidth property's value must be less than the VideoWidth property's value.");
const QString LineIncrementMessage = QStringLiteral("A SourceLineIncrement értéke nagyobb kell legyen, mint 0.");

// Counts destructions, so tests can tell which items a list operation freed.
class TCountedItem : public TDocumentItem
{
public:
    explicit TCountedItem(int& Destroyed) : FDestroyed(Destroyed) {}
    ~TCountedItem() override { ++FDestroyed; }

private:
    int& FDestroyed;
};

} // namespace

class TestSubtitleItem : public QObject
{
    Q_OBJECT

private slots:
    void validate_data()
    {
        QTest::addColumn<QString>("ClassName");
        QTest::addColumn<qint32>("VideoWidth");
        QTest::addColumn<qint32>("BoxWidth");
        QTest::addColumn<QString>("PropertyName");
        QTest::addColumn<QString>("ValueText");
        QTest::addColumn<QString>("Message");

        QTest::newRow("LineMaximum 0") << "TImmutableSubtitleItem" << 0 << 0 << "LineMaximum" << "0" << LineMaximumMessage;
        QTest::newRow("LineMaximum abc") << "TImmutableSubtitleItem" << 0 << 0 << "LineMaximum" << "abc" << LineMaximumMessage;
        QTest::newRow("LineMaximum 1") << "TImmutableSubtitleItem" << 0 << 0 << "LineMaximum" << "1" << "";
        QTest::newRow("LineMaximum $10") << "TSubtitleItem" << 0 << 0 << "LineMaximum" << "$10" << "";
        QTest::newRow("record has no box rule") << "TImmutableSubtitleItem" << 0 << 0 << "BoxWidth" << "5000" << "";
        QTest::newRow("box as wide as frame") << "TSubtitleItem" << 720 << 0 << "BoxWidth" << "720" << "";
        QTest::newRow("box wider than frame") << "TSubtitleItem" << 720 << 0 << "BoxWidth" << "721" << BoxWidthMessage;
        QTest::newRow("frame narrower than box") << "TSubtitleItem" << 720 << 600 << "VideoWidth" << "599" << BoxWidthMessage;
        QTest::newRow("frame as wide as box") << "TSubtitleItem" << 720 << 600 << "VideoWidth" << "600" << "";
        QTest::newRow("fresh frame refuses any box") << "TSubtitleItem" << 0 << 0 << "BoxWidth" << "1" << BoxWidthMessage;
        QTest::newRow("name in other case matches no rule") << "TSubtitleItem" << 0 << 0 << "boxwidth" << "9999" << "";
        QTest::newRow("no rule for height") << "TSubtitleItem" << 0 << 0 << "VideoHeight" << "-5" << "";
        QTest::newRow("line step 0") << "TDocumentItem" << 0 << 0 << "SourceLineIncrement" << "0" << LineIncrementMessage;
        QTest::newRow("line step 1") << "TDocumentItem" << 0 << 0 << "SourceLineIncrement" << "1" << "";
        QTest::newRow("document keeps box rule") << "TDocumentItem" << 720 << 0 << "BoxWidth" << "800" << BoxWidthMessage;
        QTest::newRow("document keeps line rule") << "TDocumentItem" << 0 << 0 << "LineMaximum" << "-1" << LineMaximumMessage;
    }

    void validate()
    {
        QFETCH(QString, ClassName);
        QFETCH(qint32, VideoWidth);
        QFETCH(qint32, BoxWidth);
        QFETCH(QString, PropertyName);
        QFETCH(QString, ValueText);
        QFETCH(QString, Message);

        std::unique_ptr<TImmutableSubtitleItem> Item;
        if (ClassName == QLatin1String("TDocumentItem"))
            Item = std::make_unique<TDocumentItem>();
        else if (ClassName == QLatin1String("TSubtitleItem"))
            Item = std::make_unique<TSubtitleItem>();
        else
            Item = std::make_unique<TImmutableSubtitleItem>();
        if (auto* Subtitle = dynamic_cast<TSubtitleItem*>(Item.get())) {
            Subtitle->SetVideoWidth(VideoWidth);
            Subtitle->SetBoxWidth(BoxWidth);
        }
        int Notifications = 0;
        Item->SetOnChanged([&](TObservableObject&, const QString&) { ++Notifications; });
        const IValidation& Validation = *Item;
        QCOMPARE(Validation.Validate(PropertyName, ValueText), Message);
        QCOMPARE(Notifications, 0);
    }

    void recordName_dropsLastExtension_data()
    {
        QTest::addColumn<QString>("FileName");
        QTest::addColumn<QString>("Name");
        QTest::newRow("plain") << "Title00001.etl" << "Title00001";
        QTest::newRow("two dots") << "a.b.etl" << "a.b";
        QTest::newRow("no dot") << "Title" << "Title";
        QTest::newRow("dot in folder only") << "/out.d/Title" << "/out.d/Title";
        QTest::newRow("empty") << "" << "";
    }

    void recordName_dropsLastExtension()
    {
        QFETCH(QString, FileName);
        QFETCH(QString, Name);
        TSubtitleItem Item;
        Item.SetSubtitleFileName(FileName);
        QCOMPARE(Item.GetName(), Name);
    }

    void documentName_isFileNameWithExtension()
    {
        TDocumentItem Item;
        QCOMPARE(Item.GetName(), QString());
        Item.SetSourceFileName(QStringLiteral("/home/editor/Documents/Film.part1.docx"));
        QCOMPARE(Item.GetName(), QStringLiteral("Film.part1.docx"));
    }

    void toString_summarisesSettings()
    {
        TDocumentItem Item;
        Item.SetVideoWidth(720);
        Item.SetVideoHeight(576);
        Item.SetBoxWidth(600);
        Item.SetBoxRelativeY(-40);
        Item.SetFontSize(24);
        Item.SetSourceLineIncrement(2);
        QCOMPARE(Item.TSubtitleItem::ToString(), QStringLiteral("vs: 720x576; bw: 600; xy: 0,-40; fs: 24"));
        QCOMPARE(Item.ToString(), QStringLiteral("sli: 2; vs: 720x576; bw: 600; xy: 0,-40; fs: 24"));
    }

    void records_areOwnedAndClearedInOrder()
    {
        TDocumentItem Item;
        Item.AddImmutableSubtitleItem(nullptr);
        QVERIFY(Item.ImmutableSubtitleItems().empty());
        Item.AddImmutableSubtitleItem(std::make_unique<TImmutableSubtitleItem>());
        Item.AddImmutableSubtitleItem(std::make_unique<TImmutableSubtitleItem>());
        const TImmutableSubtitleItem* Second = Item.ImmutableSubtitleItems()[1].get();
        Item.RemoveImmutableSubtitleItem(Item.ImmutableSubtitleItems()[0].get());
        QCOMPARE(Item.ImmutableSubtitleItems().size(), std::size_t(1));
        QCOMPARE(Item.ImmutableSubtitleItems()[0].get(), Second);
        Item.ClearImmutableSubtitleItems();
        Item.ClearImmutableSubtitleItems();
        QVERIFY(Item.ImmutableSubtitleItems().empty());
    }

    void removeDocumentItem_freesOnlyItsOwnItems()
    {
        int Destroyed = 0;
        TProject Project;
        TProject Other;
        TDocumentItem* First = Project.AddDocumentItem(std::make_unique<TCountedItem>(Destroyed));
        TDocumentItem* Middle = Project.AddDocumentItem(std::make_unique<TCountedItem>(Destroyed));
        TDocumentItem* Last = Project.AddDocumentItem(std::make_unique<TCountedItem>(Destroyed));
        TDocumentItem* Foreign = Other.AddDocumentItem(std::make_unique<TCountedItem>(Destroyed));
        QVERIFY(Project.AddDocumentItem(nullptr) == nullptr);

        Project.RemoveDocumentItem(Foreign);
        Project.RemoveDocumentItem(nullptr);
        QCOMPARE(Destroyed, 0);
        QCOMPARE(Project.DocumentItems().size(), std::size_t(3));

        Project.RemoveDocumentItem(Last);
        QCOMPARE(Destroyed, 1);
        Project.RemoveDocumentItem(First);
        QCOMPARE(Destroyed, 2);
        QCOMPARE(Project.DocumentItems().size(), std::size_t(1));
        QCOMPARE(Project.DocumentItems()[0].get(), Middle);

        Project.ClearDocumentItems();
        QCOMPARE(Destroyed, 3);
        QCOMPARE(Other.DocumentItems().size(), std::size_t(1));
    }
};

QTEST_GUILESS_MAIN(TestSubtitleItem)
#include "tst_subtitleitem.moc"
