#include "model/ChangedEventRelay.h"
#include "model/DocumentItem.h"
#include "model/InvalidOperation.h"
#include "model/Project.h"
#include "model/Publish.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <memory>
#include <vector>

namespace {

struct TNotification
{
    TObservableObject* Sender;
    QString PropertyName;
};

// Records every notification an object raises.
class TRecorder
{
public:
    explicit TRecorder(TObservableObject& Object)
    {
        Object.SetOnChanged([this](TObservableObject& Sender, const QString& Name) { Calls.push_back({&Sender, Name}); });
    }
    std::vector<TNotification> Calls;
};

// A settings class that keeps the base class's display name.
class TPlainObject : public TObservableObject
{
public:
    static const TClassInfo& StaticClass()
    {
        using P = TPublish<TPlainObject>;
        static const TClassInfo Info(QStringLiteral("TPlainObject"), QStringLiteral("PlainObject"), nullptr,
                                     [] { return std::make_unique<TPlainObject>(); },
                                     {P::Integer(QStringLiteral("Unrelated"), QStringLiteral("Integer"), &TPlainObject::Unrelated,
                                                 &TPlainObject::SetUnrelated)});
        return Info;
    }
    const TClassInfo& ClassType() const override { return StaticClass(); }
    qint32 Unrelated() const { return FUnrelated; }
    void SetUnrelated(qint32 Value) { SetField(FUnrelated, Value, QStringLiteral("Unrelated")); }

private:
    qint32 FUnrelated = 0;
};

// A value different from the property's current one, of the right kind.
TPropertyValue DifferentValue(const TPropertyInfo& Property, const TPersistent& Object)
{
    const TPropertyValue Current = Property.Read(Object);
    switch (Property.Kind) {
    case TPropertyKind::Integer:
        return std::get<qint32>(Current) + 7;
    case TPropertyKind::Enumeration:
        return qint32((std::get<qint32>(Current) + 1) % Property.EnumIdentifiers.size());
    case TPropertyKind::Float:
        return std::get<double>(Current) + 0.25;
    case TPropertyKind::Text:
        return std::get<QString>(Current) + QStringLiteral("x");
    case TPropertyKind::ObjectList:
        break;
    }
    return {};
}

} // namespace

class TestObservableObject : public QObject
{
    Q_OBJECT

private slots:
    void publishedTable_listsAncestorsFirstWithExactTypeNames()
    {
        const QStringList Expected{
            "BoxAlign:TAlignment", "BoxRelativeX:Integer", "BoxRelativeY:Integer", "BoxWidth:Integer",
            "LineMaximum:Integer", "SubtitleDirectory:TDirectoryName", "SubtitleFileName:TFileName",
            "BoxAlignText:TAlignment", "Edge:Boolean", "EdgeColor:TColor", "EdgeWidthHard:Extended",
            "EdgeWidthSoft:Extended", "FontName:TFontName", "FontSize:TFontSize", "FontColor:TColor",
            "FontStyleBold:Boolean", "FontStyleItalic:Boolean", "FontStyleUnderline:Boolean", "VideoWidth:Integer",
            "VideoHeight:Integer", "_ImmutableSubtitleItems:TImmutableSubtitleItems", "SourceFileName:TFileName",
            "SourceFilePassword:TPassword", "SourceLineIncrement:Integer"};
        QStringList Actual;
        for (const TPropertyInfo& Property : TDocumentItem::StaticClass().Properties())
            Actual << Property.Name + QLatin1Char(':') + Property.TypeName;
        QCOMPARE(Actual, Expected);
        QCOMPARE(TProject::StaticClass().Properties().size(), std::size_t(1));
        QCOMPARE(TProject::StaticClass().Properties().front().TypeName, QStringLiteral("TDocumentItems"));
    }

    void findProperty_ignoresAsciiCaseOnly()
    {
        const TClassInfo& Class = TDocumentItem::StaticClass();
        QVERIFY(Class.FindProperty(u"boxwidth") == Class.FindProperty(u"BoxWidth"));
        QVERIFY(Class.FindProperty(u"BOXWIDTH") != nullptr);
        QVERIFY(Class.FindProperty(u"BoxWidt") == nullptr);
        QVERIFY(Class.FindProperty(u"BoxWidthX") == nullptr);
    }

    void writeThroughTable_notifiesOnceWithExactName_data()
    {
        QTest::addColumn<QString>("PropertyName");
        for (const TPropertyInfo& Property : TDocumentItem::StaticClass().Properties())
            if (Property.Kind != TPropertyKind::ObjectList)
                QTest::newRow(qPrintable(Property.Name)) << Property.Name;
    }

    void writeThroughTable_notifiesOnceWithExactName()
    {
        QFETCH(QString, PropertyName);
        TDocumentItem Item;
        TRecorder Recorder(Item);
        const TPropertyInfo* Property = Item.ClassType().FindProperty(PropertyName.toLower());
        QVERIFY(Property);

        Property->Write(Item, Property->Read(Item));
        QCOMPARE(Recorder.Calls.size(), std::size_t(0));

        const TPropertyValue NewValue = DifferentValue(*Property, Item);
        Property->Write(Item, NewValue);
        QCOMPARE(Recorder.Calls.size(), std::size_t(1));
        QCOMPARE(Recorder.Calls[0].PropertyName, PropertyName);
        QCOMPARE(Recorder.Calls[0].Sender, &Item);
        QVERIFY(Property->Read(Item) == NewValue);

        Property->Write(Item, NewValue);
        QCOMPARE(Recorder.Calls.size(), std::size_t(1));
    }

    void unpublishedSetters_notifyToo()
    {
        TSubtitleItem Item;
        TRecorder Recorder(Item);
        Item.SetSubtitleContent(QStringLiteral("a"));
        Item.SetSubtitleContent(QStringLiteral("a"));
        Item.SetSubtitleLineCount(2);
        TImmutableSubtitleItem Record;
        Item.SetAttachedItem(&Record);
        QCOMPARE(Recorder.Calls.size(), std::size_t(3));
        QCOMPARE(Recorder.Calls[0].PropertyName, QStringLiteral("SubtitleContent"));
        QCOMPARE(Recorder.Calls[1].PropertyName, QStringLiteral("SubtitleLineCount"));
        QCOMPARE(Recorder.Calls[2].PropertyName, QStringLiteral("AttachedItem"));
    }

    void textInOtherLetterCase_isAChange()
    {
        TDocumentItem Item;
        Item.SetFontName(QStringLiteral("Arial"));
        TRecorder Recorder(Item);
        Item.SetFontName(QStringLiteral("arial"));
        QCOMPARE(Recorder.Calls.size(), std::size_t(1));
    }

    void detachedObserver_hearsNothing()
    {
        TDocumentItem Item;
        TRecorder Recorder(Item);
        Item.SetOnChanged({});
        Item.SetBoxWidth(5);
        QCOMPARE(Recorder.Calls.size(), std::size_t(0));
        QCOMPARE(Item.BoxWidth(), 5);
    }

    void observerError_propagatesAfterStoring()
    {
        TSubtitleItem Item;
        Item.SetOnChanged([](TObservableObject&, const QString&) { throw EError(QStringLiteral("observer failed")); });
        QVERIFY_THROWS_EXCEPTION(EError, Item.SetVideoWidth(720));
        QCOMPARE(Item.VideoWidth(), 720);
    }

    void assignTo_copiesByNameIntoTarget()
    {
        TDocumentItem Source;
        Source.SetBoxAlign(taCenter);
        Source.SetBoxRelativeX(-3);
        Source.SetBoxWidth(600);
        Source.SetLineMaximum(2);
        Source.SetSubtitleDirectory(QStringLiteral("/out/"));
        Source.SetSubtitleFileName(QStringLiteral("Title00001.etl"));
        Source.SetFontSize(24);
        Source.AddImmutableSubtitleItem(std::make_unique<TImmutableSubtitleItem>());

        TImmutableSubtitleItem Target;
        TRecorder Recorder(Target);
        Source.AssignTo(&Target);

        QStringList Names;
        for (const TNotification& Call : Recorder.Calls)
            Names << Call.PropertyName;
        // BoxRelativeY stays 0 on both sides, so it raises nothing.
        QCOMPARE(Names, QStringList({"BoxAlign", "BoxRelativeX", "BoxWidth", "LineMaximum", "SubtitleDirectory",
                                     "SubtitleFileName"}));
        QCOMPARE(Target.BoxAlign(), taCenter);
        QCOMPARE(Target.SubtitleFileName(), QStringLiteral("Title00001.etl"));
        QCOMPARE(Source.ImmutableSubtitleItems().size(), std::size_t(1));
    }

    void assignTo_recordIntoSubtitleItemOverwritesOnlyTheSevenSettings()
    {
        TImmutableSubtitleItem Record;
        Record.SetBoxWidth(500);
        TSubtitleItem Item;
        Item.SetFontSize(30);
        Item.SetBoxWidth(900);
        Item.SetSubtitleContent(QStringLiteral("text"));
        Record.AssignTo(&Item);
        QCOMPARE(Item.BoxWidth(), 500);
        QCOMPARE(Item.FontSize(), 30);
        QCOMPARE(Item.SubtitleContent(), QStringLiteral("text"));
    }

    void assignTo_nullTargetRaises()
    {
        TSubtitleItem Item;
        try {
            Item.AssignTo(nullptr);
            QFAIL("no error raised");
        } catch (const EInvalidOp& Error) {
            QCOMPARE(Error.Message(), QStringLiteral("The parameter 'AObject' is null."));
        }
    }

    void assignTo_withoutSharedNamesCopiesNothing()
    {
        TPlainObject Plain;
        Plain.SetUnrelated(4);
        TDocumentItem Target;
        TRecorder Recorder(Target);
        Plain.AssignTo(&Target);
        TProject Project;
        Target.AssignTo(&Project);
        QCOMPARE(Recorder.Calls.size(), std::size_t(0));
    }

    void getName_defaultsToClassName()
    {
        TPlainObject Plain;
        QCOMPARE(Plain.GetName(), QStringLiteral("TPlainObject"));
    }

    void relay_deliversWorkerNotificationsOnReceiverThread()
    {
        QObject Receiver;
        TSubtitleItem Item;
        QThread* HandledOn = nullptr;
        QStringList Names;
        Item.SetOnChanged(TChangedEventRelay::OnThreadOf(&Receiver, [&](TObservableObject& Sender, const QString& Name) {
            QCOMPARE(&Sender, static_cast<TObservableObject*>(&Item));
            HandledOn = QThread::currentThread();
            Names << Name;
        }));

        Item.SetBoxWidth(1); // on the receiver's own thread: at once
        QCOMPARE(Names, QStringList{"BoxWidth"});

        std::unique_ptr<QThread> Worker(QThread::create([&] { Item.SetSubtitleContent(QStringLiteral("from worker")); }));
        Worker->start();
        QVERIFY(Worker->wait(5000));
        QCOMPARE(Names.size(), 1); // queued, not yet run
        QTRY_COMPARE(Names.size(), 2);
        QCOMPARE(Names.back(), QStringLiteral("SubtitleContent"));
        QCOMPARE(HandledOn, QThread::currentThread());
    }

    void relay_dropsNotificationsOfDestroyedObjects()
    {
        QObject Receiver;
        int Handled = 0;
        auto Item = std::make_unique<TSubtitleItem>();
        Item->SetOnChanged(TChangedEventRelay::OnThreadOf(&Receiver, [&](TObservableObject&, const QString&) { ++Handled; }));
        std::unique_ptr<QThread> Worker(QThread::create([&] { Item->SetVideoWidth(720); }));
        Worker->start();
        QVERIFY(Worker->wait(5000));
        Item.reset();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(Handled, 0);
    }
};

QTEST_GUILESS_MAIN(TestObservableObject)
#include "tst_observableobject.moc"
