#include "persistence/XmlSerializer.h"

#include "model/ConvertError.h"
#include "model/Project.h"
#include "model/XMLDocError.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

QByteArray ReadFile(const QString& FileName)
{
    QFile File(FileName);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

QString Golden(const QString& Name)
{
    return QStringLiteral(NUVEX_TEST_DATA_DIR "/persistence/") + Name;
}

// The item of the one-item golden file, set through the same setters the program uses.
std::unique_ptr<TDocumentItem> KnownItem()
{
    auto Item = std::make_unique<TDocumentItem>();
    Item->SetBoxAlign(taCenter);
    Item->SetBoxRelativeY(-40);
    Item->SetBoxWidth(600);
    Item->SetLineMaximum(2);
    Item->SetSubtitleDirectory(QStringLiteral("{AppDir}/Titles/{SourceFileName}"));
    Item->SetSubtitleFileName(QStringLiteral("Title{0}.etl"));
    Item->SetBoxAlignText(taRightJustify);
    Item->SetEdge(true);
    Item->SetEdgeColor(-16777201);
    Item->SetEdgeWidthHard(1.5);
    Item->SetEdgeWidthSoft(0.000001);
    Item->SetFontName(QStringLiteral("宋体 & Co"));
    Item->SetFontSize(24);
    Item->SetFontColor(16777215);
    Item->SetFontStyleItalic(true);
    Item->SetVideoWidth(720);
    Item->SetVideoHeight(576);
    Item->SetSourceFileName(QStringLiteral("/docs/Film <1>.txt"));
    Item->SetSourceLineIncrement(1);
    Item->SetSubtitleContent(QStringLiteral("not stored"));
    auto Record = std::make_unique<TImmutableSubtitleItem>();
    Record->SetBoxAlign(taCenter);
    Record->SetBoxRelativeY(-40);
    Record->SetBoxWidth(600);
    Record->SetLineMaximum(2);
    Record->SetSubtitleDirectory(QStringLiteral("/out/Film/"));
    Record->SetSubtitleFileName(QStringLiteral("Title00001.etl"));
    Item->AddImmutableSubtitleItem(std::move(Record));
    return Item;
}

// Every published setting of the object and its lists, in table order, as text.
QStringList Settings(const TPersistent& Object)
{
    QStringList Result;
    for (const TPropertyInfo& Property : Object.ClassType().Properties()) {
        if (Property.Kind == TPropertyKind::ObjectList) {
            const qsizetype Count = Property.List->Count(Object);
            Result << Property.Name + QStringLiteral("[%1]").arg(Count);
            for (qsizetype Index = 0; Index < Count; ++Index)
                Result += Settings(Property.List->Item(Object, Index));
        } else {
            Result << Property.Name + QLatin1Char('=') + Property.ReadText(Object);
        }
    }
    return Result;
}

std::unique_ptr<TProject> ReadProject(const QString& Xml)
{
    std::unique_ptr<TPersistent> Object = TXmlSerializer().Deserialize(TProject::StaticClass(), Xml, false);
    return std::unique_ptr<TProject>(static_cast<TProject*>(Object.release()));
}

// A project file with one item whose elements are the given ones.
QString ItemXml(const QString& Elements)
{
    return QStringLiteral("<Root><P><DocumentItems><item>%1</item></DocumentItems></P></Root>").arg(Elements);
}

} // namespace

class TestXmlSerializer : public QObject
{
    Q_OBJECT

private slots:
    void writesGoldenFiles_data()
    {
        QTest::addColumn<bool>("WithItem");
        QTest::addColumn<QString>("GoldenFile");
        QTest::newRow("empty project") << false << "empty-project.nvproj";
        QTest::newRow("one item, one record") << true << "one-item-project.nvproj";
    }

    void writesGoldenFiles()
    {
        QFETCH(bool, WithItem);
        QFETCH(QString, GoldenFile);
        TProject Project;
        if (WithItem)
            Project.AddDocumentItem(KnownItem());
        QTemporaryDir Temp;
        const QString FileName = Temp.filePath(QStringLiteral("p.nvproj"));
        QString Xml;
        TXmlSerializer().Serialize(Project, FileName, Xml);
        const QByteArray Expected = ReadFile(Golden(GoldenFile));
        QVERIFY(!Expected.isEmpty());
        QCOMPARE(ReadFile(FileName), Expected);
        QCOMPARE(Xml.toUtf8(), Expected);
    }

    void readsGoldenFilesBack()
    {
        const std::unique_ptr<TPersistent> Empty = TXmlSerializer().LoadFromFile(TProject::StaticClass(), Golden("empty-project.nvproj"));
        QVERIFY(static_cast<TProject&>(*Empty).DocumentItems().empty());

        TProject Expected;
        Expected.AddDocumentItem(KnownItem());
        const std::unique_ptr<TPersistent> Read = TXmlSerializer().LoadFromFile(TProject::StaticClass(), Golden("one-item-project.nvproj"));
        QCOMPARE(Settings(*Read), Settings(Expected));
        QCOMPARE(static_cast<TProject&>(*Read).DocumentItems()[0]->SubtitleContent(), QString());
        QCOMPARE(static_cast<TProject&>(*Read).FileName(), QString());
    }

    void roundTripKeepsEverySettingInOrder()
    {
        TProject Project;
        for (int Index = 0; Index < 3; ++Index) {
            std::unique_ptr<TDocumentItem> Item = KnownItem();
            Item->SetSourceFileName(QStringLiteral("/docs/%1\tline\nbreak\r.docx").arg(Index));
            Item->SetSourceFilePassword(QStringLiteral("pa\"ss<>&'%1").arg(Index));
            Item->SetBoxRelativeX(-Index * 1000);
            Item->SetEdgeWidthHard(Index == 1 ? std::nan("") : 1.0 / 3.0);
            Item->SetEdgeWidthSoft(Index == 2 ? -HUGE_VAL : 123456789012345678.0);
            for (int Record = 0; Record < Index; ++Record) {
                auto Extra = std::make_unique<TImmutableSubtitleItem>();
                Extra->SetSubtitleFileName(QStringLiteral("Title%1_%2.etl").arg(Index).arg(Record + 2));
                Extra->SetBoxAlign(taRightJustify);
                Item->AddImmutableSubtitleItem(std::move(Extra));
            }
            Project.AddDocumentItem(std::move(Item));
        }
        QString Xml;
        TXmlSerializer().Serialize(Project, QString(), Xml);
        const std::unique_ptr<TProject> Read = ReadProject(Xml);
        QCOMPARE(Settings(*Read), Settings(Project));
        QVERIFY(std::isnan(Read->DocumentItems()[1]->EdgeWidthHard()));
        QCOMPARE(Read->DocumentItems()[0]->SourceFileName(), QStringLiteral("/docs/0\tline\nbreak\r.docx"));
    }

    void floats_data()
    {
        QTest::addColumn<double>("Value");
        QTest::addColumn<QString>("Text");
        QTest::newRow("half") << 1.5 << "1.5";
        QTest::newRow("whole") << 2.0 << "2";
        QTest::newRow("small") << 0.000001 << "1E-6";
        QTest::newRow("infinite") << double(HUGE_VAL) << "INF";
    }

    void floats()
    {
        QFETCH(double, Value);
        QFETCH(QString, Text);
        TProject Project;
        Project.AddDocumentItem(std::make_unique<TDocumentItem>())->SetEdgeWidthHard(Value);
        QString Xml;
        TXmlSerializer().Serialize(Project, QString(), Xml);
        QVERIFY2(Xml.contains(QStringLiteral("<EdgeWidthHard xsi:type=\"NS6:double\">%1</EdgeWidthHard>").arg(Text)), qPrintable(Xml));
        const std::unique_ptr<TProject> Read = ReadProject(ItemXml(QStringLiteral("<EdgeWidthHard>%1</EdgeWidthHard>").arg(Text)));
        QCOMPARE(Read->DocumentItems()[0]->EdgeWidthHard(), Value);
    }

    void readsValuesLeniently_data()
    {
        QTest::addColumn<QString>("Elements");
        QTest::addColumn<QString>("Setting");
        QTest::newRow("Boolean TRUE") << "<Edge>TRUE</Edge>" << "Edge=True";
        QTest::newRow("Boolean 1") << "<x:Edge>1</x:Edge>" << "Edge=True";
        QTest::newRow("Boolean False") << "<Edge>False</Edge><Edge>true</Edge>" << "Edge=False";
        QTest::newRow("Boolean 0") << "<Edge>0</Edge>" << "Edge=False";
        QTest::newRow("hexadecimal") << "<FontColor>$FF</FontColor>" << "FontColor=255";
        QTest::newRow("infinity any case") << "<EdgeWidthSoft>-inf</EdgeWidthSoft>" << "EdgeWidthSoft=-INF";
        QTest::newRow("missing element keeps zero") << "<Unknown>5</Unknown>" << "VideoWidth=0";
        QTest::newRow("name case matters") << "<videowidth>5</videowidth>" << "VideoWidth=0";
        QTest::newRow("empty text") << "<FontName/>" << "FontName=";
        QTest::newRow("identifier") << "<BoxAlign>taCenter</BoxAlign>" << "BoxAlign=taCenter";
    }

    void readsValuesLeniently()
    {
        QFETCH(QString, Elements);
        QFETCH(QString, Setting);
        const std::unique_ptr<TProject> Read = ReadProject(ItemXml(Elements));
        QCOMPARE(Read->DocumentItems().size(), std::size_t(1));
        QVERIFY2(Settings(*Read).contains(Setting), qPrintable(Settings(*Read).join(' ')));
    }

    void firstChildOfAnyNameIsTheObject()
    {
        const std::unique_ptr<TProject> Read = ReadProject(
            QStringLiteral("<?xml version=\"1.0\"?><!-- c --><Anything>text<Whatever><DocumentItems><a/><b><LineMaximum>3</LineMaximum></b></DocumentItems></Whatever><Second/></Anything>"));
        QCOMPARE(Read->DocumentItems().size(), std::size_t(2));
        QCOMPARE(Read->DocumentItems()[1]->LineMaximum(), 3);
    }

    void refusesBadDocuments_data()
    {
        QTest::addColumn<QString>("Xml");
        QTest::addColumn<QString>("Message");
        QTest::newRow("root without child") << "<Root/>" << "Invalid XML format.";
        QTest::newRow("root with text only") << "<Root>text</Root>" << "Invalid XML format.";
        QTest::newRow("not xml") << "this is no project" << "";
        QTest::newRow("truncated") << "<Root><P><DocumentItems><item><Edge>true</Ed" << "";
        QTest::newRow("letters in an integer") << ItemXml("<BoxWidth>wide</BoxWidth>") << "''wide'' is not a valid integer value";
        QTest::newRow("unknown identifier") << ItemXml("<BoxAlign>taMiddle</BoxAlign>") << "Invalid property element: taMiddle";
        QTest::newRow("bad boolean") << ItemXml("<Edge>yes</Edge>") << "yes";
        QTest::newRow("bad float") << ItemXml("<EdgeWidthHard>1,5</EdgeWidthHard>") << "'1,5' is not a valid floating point value";
    }

    void refusesBadDocuments()
    {
        QFETCH(QString, Xml);
        QFETCH(QString, Message);
        try {
            ReadProject(Xml);
            QFAIL("no error raised");
        } catch (const EError& Error) {
            QVERIFY2(Error.Message().contains(Message), qPrintable(Error.Message()));
        }
    }

    void deepNestingAndHugeFilesFailCleanly()
    {
        QString Deep = QStringLiteral("<Root><P><DocumentItems><item>");
        Deep += QString(QStringLiteral("<x>")).repeated(200000) + QString(QStringLiteral("</x>")).repeated(200000);
        Deep += QStringLiteral("</item></DocumentItems></P></Root>");
        QCOMPARE(ReadProject(Deep)->DocumentItems().size(), std::size_t(1));

        QTemporaryDir Temp;
        const QString Huge = Temp.filePath(QStringLiteral("huge.nvproj"));
        QFile File(Huge);
        QVERIFY(File.open(QIODevice::WriteOnly));
        QVERIFY(File.resize(TXmlSerializer::MaximumFileSize + 1)); // sparse: costs no disk
        File.close();
        try {
            TXmlSerializer().LoadFromFile(TProject::StaticClass(), Huge);
            QFAIL("no error raised");
        } catch (const EError& Error) {
            QVERIFY2(Error.Message().contains(Huge), qPrintable(Error.Message()));
        }
        try {
            TXmlSerializer().LoadFromFile(TProject::StaticClass(), Temp.filePath(QStringLiteral("missing.nvproj")));
            QFAIL("no error raised");
        } catch (const EError& Error) {
            QVERIFY2(Error.Message().contains(QStringLiteral("missing.nvproj")), qPrintable(Error.Message()));
        }
    }
};

QTEST_GUILESS_MAIN(TestXmlSerializer)
#include "tst_xmlserializer.moc"
