#include "titles/IntfCastError.h"
#include "titles/TitleDocumentFile.h"
#include "model/XMLDocError.h"
#include "titles/XMLTitleDocumentType.h"

#include "model/ApplicationDirectory.h"
#include "model/ConvertError.h"
#include "model/OSError.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A small title: the root, one text object, one rectangle; indentation by tabs so that
// preserved whitespace is visible in the output.
const QString SmallTitleBody = QStringLiteral(
    "<TitleDocument>\n"
    "\t<FrameSizeX>720</FrameSizeX>\n"
    "\t<FrameSizeY>576</FrameSizeY>\n"
    "\t<m_TitleObList>\n"
    "\t\t<CCtsTextObject>\n"
    "\t\t\t<CCtsTitleObject>\n"
    "\t\t\t\t<m_sText>模板</m_sText>\n"
    "\t\t\t\t<!-- kept -->\n"
    "\t\t\t\t<TitleFont><iSize>24</iSize></TitleFont>\n"
    "\t\t\t\t<TitleRectF><X>1</X></TitleRectF>\n"
    "\t\t\t</CCtsTitleObject>\n"
    "\t\t</CCtsTextObject>\n"
    "\t</m_TitleObList>\n"
    "</TitleDocument>");

QString WriteFile(const QTemporaryDir& Dir, const QString& Name, const QByteArray& Bytes)
{
    const QString Path = Dir.filePath(Name);
    QFile File(Path);
    if (!File.open(QIODevice::WriteOnly) || File.write(Bytes) != Bytes.size())
        qFatal("cannot write test file %s", qPrintable(Path));
    return Path;
}

QByteArray ReadFile(const QString& Path)
{
    QFile File(Path);
    if (!File.open(QIODevice::ReadOnly))
        return QByteArray();
    return File.readAll();
}

QString SavedText(const QByteArray& Bytes)
{
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(Bytes.constData() + 2), (Bytes.size() - 2) / 2);
}

TXMLTitleDocumentType LoadText(const QTemporaryDir& Dir, const QString& Xml)
{
    return LoadTitleDocument(WriteFile(Dir, QStringLiteral("in.etl"), Xml.toUtf8()));
}

} // namespace

class TestXMLTitleDocumentType : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir FDir;

private slots:
    void shippedTemplateIsCompleteTitle_data()
    {
        QTest::addColumn<QString>("Path");
        const QString Object = QStringLiteral("m_TitleObList/CCtsTextObject/CCtsTitleObject/");
        QStringList Paths = {"Version", "Author", "CreateTime", "FrameSizeX", "FrameSizeY", "FrameAspectNumerator",
                             "FrameAspectDenominator", "TitleType", "RollPages", "CrawlPages"};
        QStringList ObjectPaths = {"m_sText", "m_sFontName", "m_sFillTextureFilePath", "m_sEdgeTextureFilePath",
                                   "m_sImageFilePath", "dashStyle", "startCap", "endCap", "eSelect", "m_bRoundRectangle",
                                   "m_bTransformRatioMode", "bMatrix", "TitleRectF/X", "TitleRectF/Y", "TitleRectF/Width",
                                   "TitleRectF/Height", "TitlePointF/X1", "TitlePointF/Y1", "TitlePointF/X2", "TitlePointF/Y2"};
        for (int i = 0; i < 6; ++i)
            ObjectPaths << QStringLiteral("elements%1").arg(i);
        for (const char* Name : {"iSize", "bVertical", "bBold", "bItalic", "bUnderline", "bAutoFontSize", "iCharSpace",
                                 "iLineSpace", "iAlignment"})
            ObjectPaths << QStringLiteral("TitleFont/") + QLatin1String(Name);
        QStringList Colors;
        for (int i = 0; i < 7; ++i)
            Colors << QStringLiteral("color%1").arg(i);
        for (const QString& Name : QStringList{"bEnableTexture", "bEnable", "iColorNum", "fDirection"} + Colors)
            ObjectPaths << QStringLiteral("TitleFillColor/") + Name;
        for (const QString& Name : QStringList{"bEnableTexture", "bEnable", "iColorNum", "fWidth", "fWidthSoft", "fDirection"} + Colors)
            ObjectPaths << QStringLiteral("TitleEdge/") + Name;
        for (const QString& Name : QStringList{"bEnable", "fWidthHard", "fWidthSoft", "iColorNum", "iOffsetX", "iOffsetY", "fDirection"} + Colors)
            ObjectPaths << QStringLiteral("TitleShadow/") + Name;
        for (const char* Name : {"bEnable", "iFillEdgeBlur", "iEdgeBlur", "iShadowBlur"})
            ObjectPaths << QStringLiteral("TitleBlur/") + QLatin1String(Name);
        for (const char* Name : {"bEnable", "bOutside", "iFilter", "iLightX", "iLightY", "iLightZ"})
            ObjectPaths << QStringLiteral("TitleEmboss/") + QLatin1String(Name);
        for (const QString& Path : ObjectPaths)
            Paths << Object + Path;
        for (const QString& Path : Paths)
            QTest::newRow(qPrintable(Path)) << Path;
    }

    void shippedTemplateIsCompleteTitle()
    {
        QFETCH(QString, Path);
        const TXMLTitleDocumentType Root = LoadTitleDocument(TemplateFilePath());
        const pugi::xml_node Node = Root.DOMNode().first_element_by_path(Path.toUtf8().constData());
        QVERIFY(Node);
        QVERIFY(Node.first_child().type() == pugi::node_pcdata || Path.endsWith(QStringLiteral("FilePath")));
    }

    void shippedTemplateValues()
    {
        const TXMLTitleDocumentType Root = LoadTitleDocument(TemplateFilePath());
        QCOMPARE(Root.FrameSizeX(), 1920);
        QCOMPARE(Root.FrameSizeY(), 1080);
        QCOMPARE(Root.FrameAspectNumerator(), 16);
        QCOMPARE(Root.FrameAspectDenominator(), 9);
        const TXMLCCtsTitleObjectType Title = Root.M_TitleObList().CCtsTextObject().CCtsTitleObject();
        QCOMPARE(Title.TitleFillColor().IColorNum(), 1);
        QCOMPARE(Title.TitleEdge().IColorNum(), 1);
        QCOMPARE(Title.TitleShadow().BEnable(), 0);
        QCOMPARE(Title.TitleBlur().BEnable(), 0);
        QCOMPARE(Title.TitleEmboss().BEnable(), 0);
        const QStringList Matrix = {Title.Elements0(), Title.Elements1(), Title.Elements2(),
                                    Title.Elements3(), Title.Elements4(), Title.Elements5()};
        QCOMPARE(Matrix, QStringList({"1.000000", "0.000000", "0.000000", "1.000000", "0.000000", "0.000000"}));
        QCOMPARE(Title.TitleRectF().Count(), 1);
        QCOMPARE(Root.M_TitleObList().DOMNode().select_nodes("CCtsTextObject").size(), size_t(1));
    }

    void controlCharactersAreLeftOut()
    {
        TXMLTitleDocumentType Root = LoadText(FDir, QStringLiteral("<TitleDocument/>"));
        Root.SetAuthor(QStringLiteral("a\x01" "b\x1F\tc"));
        QCOMPARE(Root.XML(), QStringLiteral("<TitleDocument><Author>ab\tc</Author></TitleDocument>"));
    }

    void childLookupAppendsMissingElement()
    {
        TXMLTitleDocumentType Root = LoadText(FDir, QStringLiteral(
            "<TitleDocument><m_TitleObList><CCtsTextObject><CCtsTitleObject>"
            "<m_sFontName>Arial</m_sFontName></CCtsTitleObject></CCtsTextObject></m_TitleObList></TitleDocument>"));
        TXMLCCtsTitleObjectType Title = Root.M_TitleObList().CCtsTextObject().CCtsTitleObject();
        Title.SetM_sText(QStringLiteral("新"));
        QVERIFY(Root.XML().contains(QStringLiteral("<m_sFontName>Arial</m_sFontName><m_sText>新</m_sText></CCtsTitleObject>")));
        // Reading appends as well, and a second read finds the element appended by the first.
        QCOMPARE(Root.Version(), QString());
        QCOMPARE(Root.Version(), QString());
        QVERIFY(Root.XML().endsWith(QStringLiteral("</m_TitleObList><Version/></TitleDocument>")));
        const QString Path = FDir.filePath(QStringLiteral("appended.etl"));
        SaveTitleDocument(Root, Path);
        QCOMPARE(LoadTitleDocument(Path).M_TitleObList().CCtsTextObject().CCtsTitleObject().M_sText(), QStringLiteral("新"));
    }

    void onlyFirstOccurrenceIsChanged()
    {
        TXMLTitleDocumentType Root = LoadText(FDir, QStringLiteral(
            "<TitleDocument><m_TitleObList>"
            "<CCtsTextObject><CCtsTitleObject><m_sText>one</m_sText><m_sText>dup</m_sText></CCtsTitleObject></CCtsTextObject>"
            "<CCtsTextObject><CCtsTitleObject><m_sText>two</m_sText></CCtsTitleObject></CCtsTextObject>"
            "</m_TitleObList></TitleDocument>"));
        Root.M_TitleObList().CCtsTextObject().CCtsTitleObject().SetM_sText(QStringLiteral("changed"));
        QCOMPARE(Root.XML(), QStringLiteral(
            "<TitleDocument><m_TitleObList>"
            "<CCtsTextObject><CCtsTitleObject><m_sText>changed</m_sText><m_sText>dup</m_sText></CCtsTitleObject></CCtsTextObject>"
            "<CCtsTextObject><CCtsTitleObject><m_sText>two</m_sText></CCtsTitleObject></CCtsTextObject>"
            "</m_TitleObList></TitleDocument>"));
    }

    void textValuesAreCanonical()
    {
        TXMLTitleDocumentType Root = LoadText(FDir, QStringLiteral(
            "<TitleDocument><Author>a<!--c--><b>x<i><u>y</u></i>z</b><![CDATA[<y>]]></Author><Version><![CDATA[1&2]]></Version></TitleDocument>"));
        QCOMPARE(Root.Author(), QStringLiteral("axyz<y>"));
        QCOMPARE(Root.Version(), QStringLiteral("1&2"));
        Root.SetAuthor(QStringLiteral("<&>"));
        Root.SetVersion(QString());
        QCOMPARE(Root.XML(), QStringLiteral("<TitleDocument><Author>&lt;&amp;&gt;</Author><Version/></TitleDocument>"));
        QCOMPARE(Root.Author(), QStringLiteral("<&>"));
    }

    void encodings_data()
    {
        QTest::addColumn<QByteArray>("Bytes");
        const QString Declared16 = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n") + SmallTitleBody;
        const QString Declared8 = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- before -->\n") + SmallTitleBody;
        QStringEncoder Utf16Le(QStringEncoder::Utf16LE);
        QStringEncoder Utf16Be(QStringEncoder::Utf16BE);
        QTest::newRow("UTF-8 declared") << Declared8.toUtf8();
        QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF") + SmallTitleBody.toUtf8();
        QTest::newRow("UTF-16 LE with mark") << QByteArray("\xFF\xFE") + QByteArray(Utf16Le.encode(Declared16));
        QTest::newRow("UTF-16 BE with mark") << QByteArray("\xFE\xFF") + QByteArray(Utf16Be.encode(Declared16));
        QTest::newRow("UTF-16 LE by declaration") << QByteArray(Utf16Le.encode(Declared16));
    }

    void encodings()
    {
        QFETCH(QByteArray, Bytes);
        const TXMLTitleDocumentType Root = LoadTitleDocument(WriteFile(FDir, QStringLiteral("enc.etl"), Bytes));
        QCOMPARE(Root.FrameSizeX(), 720);
        QCOMPARE(Root.M_TitleObList().CCtsTextObject().CCtsTitleObject().M_sText(), QStringLiteral("模板"));
        QCOMPARE(Root.XML(), SmallTitleBody);
    }

    void savedFileHasFixedHeaderAndCrLfLines()
    {
        const QString Source = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- template comment -->\r\n")
                             + SmallTitleBody;
        TXMLTitleDocumentType Root = LoadText(FDir, Source);
        Root.M_TitleObList().CCtsTextObject().CCtsTitleObject().SetM_sText(QStringLiteral("one\r\ntwo\rthree\nfour"));
        const QString Path = FDir.filePath(QStringLiteral("saved.etl"));
        SaveTitleDocument(Root, Path);
        const QByteArray Bytes = ReadFile(Path);
        QVERIFY(Bytes.startsWith("\xFF\xFE"));
        QCOMPARE(Bytes.size() % 2, 0);
        QVERIFY(Bytes.endsWith(QByteArray("\r\0\n\0", 4)));
        // Every CR is followed by LF and every LF preceded by CR, in UTF-16 LE units.
        const QString Text = SavedText(Bytes);
        for (qsizetype i = 0; i < Text.size(); ++i) {
            if (Text[i] == u'\r')
                QVERIFY2(i + 1 < Text.size() && Text[i + 1] == u'\n', qPrintable(QString::number(i)));
            if (Text[i] == u'\n')
                QVERIFY2(i > 0 && Text[i - 1] == u'\r', qPrintable(QString::number(i)));
        }
        QVERIFY(Text.startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"
                                               "<!--Canopus Co., Ltd. Quick Titler-->\r\n<TitleDocument>\r\n\t<FrameSizeX>")));
        QVERIFY(!Text.contains(QStringLiteral("template comment")));
        QVERIFY(!Text.contains(QStringLiteral("UTF-8")));
        QVERIFY(Text.contains(QStringLiteral("\t\t\t\t<!-- kept -->\r\n")));
        QVERIFY(Text.contains(QStringLiteral("<m_sText>one\r\ntwo\r\nthree\r\nfour</m_sText>")));
        // The parser hands the breaks back as LF, and the rest of the document is as loaded.
        TXMLTitleDocumentType Reloaded = LoadTitleDocument(Path);
        QCOMPARE(Reloaded.M_TitleObList().CCtsTextObject().CCtsTitleObject().M_sText(), QStringLiteral("one\ntwo\nthree\nfour"));
        Reloaded.M_TitleObList().CCtsTextObject().CCtsTitleObject().SetM_sText(QStringLiteral("模板"));
        QCOMPARE(Reloaded.XML(), SmallTitleBody);
    }

    void badFiles_data()
    {
        QTest::addColumn<QString>("Name");
        QTest::addColumn<QByteArray>("Bytes");
        QTest::addColumn<QString>("Reason");
        QTest::newRow("not XML") << "plain.etl" << QByteArray("just some words\n") << "无法读取字幕文件";
        QTest::newRow("empty") << "empty.etl" << QByteArray() << "无法读取字幕文件";
        QTest::newRow("truncated") << "cut.etl" << SmallTitleBody.toUtf8().left(SmallTitleBody.toUtf8().indexOf("</m_TitleObList>")) << "不匹配";
        QTest::newRow("bad tag") << "tag.etl" << QByteArray("<TitleDocument><a></b></TitleDocument>") << "无法读取字幕文件";
    }

    void badFiles()
    {
        QFETCH(QString, Name);
        QFETCH(QByteArray, Bytes);
        QFETCH(QString, Reason);
        const QString Path = WriteFile(FDir, Name, Bytes);
        try {
            LoadTitleDocument(Path);
            QFAIL("loaded a broken file");
        } catch (const EXMLDocError& Error) {
            QVERIFY2(Error.Message().contains(Path), qPrintable(Error.Message()));
            QVERIFY2(Error.Message().contains(Reason), qPrintable(Error.Message()));
        }
    }

    void missingFileNamesIt()
    {
        const QString Path = FDir.filePath(QStringLiteral("absent.etl"));
        try {
            LoadTitleDocument(Path);
            QFAIL("loaded a missing file");
        } catch (const EOSError& Error) {
            QVERIFY(Error.Message().contains(Path));
        }
        QVERIFY_THROWS_EXCEPTION(EOSError, LoadTitleDocument(FDir.path()));
    }

    void anotherRootIsNotSupported_data()
    {
        QTest::addColumn<QString>("Xml");
        QTest::newRow("other name") << "<Project><TitleDocument/></Project>";
        QTest::newRow("case differs") << "<titledocument/>";
        QTest::newRow("prefixed") << "<t:TitleDocument xmlns:t=\"urn:x\"/>";
        QTest::newRow("default namespace") << "<TitleDocument xmlns=\"urn:x\"/>";
    }

    void anotherRootIsNotSupported()
    {
        QFETCH(QString, Xml);
        try {
            LoadText(FDir, Xml);
            QFAIL("accepted another root");
        } catch (const EIntfCastError& Error) {
            QCOMPARE(Error.Message(), QStringLiteral("Interface not supported"));
        }
    }

    void integerValues_data()
    {
        QTest::addColumn<QString>("Text");
        QTest::addColumn<bool>("Valid");
        QTest::addColumn<qint32>("Value");
        QTest::newRow("plain") << "720" << true << 720;
        QTest::newRow("negative") << "-16777216" << true << -16777216;
        QTest::newRow("blanks around") << "\n\t 42 \n" << true << 42;
        QTest::newRow("lowest") << "-2147483648" << true << std::numeric_limits<qint32>::min();
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("blank only") << "  " << false << 0;
        QTest::newRow("letters") << "abc" << false << 0;
        QTest::newRow("trailing letters") << "12px" << false << 0;
        QTest::newRow("real") << "1.5" << false << 0;
        QTest::newRow("hexadecimal") << "$10" << false << 0;
        QTest::newRow("too large") << "2147483648" << false << 0;
        QTest::newRow("sign only") << "-" << false << 0;
    }

    void integerValues()
    {
        QFETCH(QString, Text);
        QFETCH(bool, Valid);
        QFETCH(qint32, Value);
        const TXMLTitleDocumentType Root =
            LoadText(FDir, QStringLiteral("<TitleDocument><FrameSizeX>%1</FrameSizeX></TitleDocument>").arg(Text));
        if (Valid) {
            QCOMPARE(Root.FrameSizeX(), Value);
            return;
        }
        try {
            (void)Root.FrameSizeX();
            QFAIL("read an invalid integer");
        } catch (const EConvertError& Error) {
            QVERIFY2(Error.Message().contains(QStringLiteral("FrameSizeX")), qPrintable(Error.Message()));
            QVERIFY2(Error.Message().contains(FDir.filePath(QStringLiteral("in.etl"))), qPrintable(Error.Message()));
        }
    }

    void missingIntegerFails()
    {
        const TXMLTitleDocumentType Root = LoadText(FDir, QStringLiteral("<TitleDocument/>"));
        QVERIFY_THROWS_EXCEPTION(EConvertError, Root.FrameSizeY());
        TXMLTitleDocumentType Writable = Root;
        Writable.SetFrameSizeY(-3);
        QCOMPARE(Root.FrameSizeY(), -3);
    }

    void rectangleCollection()
    {
        const TXMLTitleDocumentType Root = LoadText(FDir, QStringLiteral(
            "<TitleDocument><m_TitleObList><CCtsTextObject><CCtsTitleObject>"
            "<TitleRectF><X>a</X></TitleRectF><m_sText/><TitleRectF><X>b</X></TitleRectF><TitlePointF/>"
            "</CCtsTitleObject></CCtsTextObject></m_TitleObList></TitleDocument>"));
        const TXMLCCtsTitleObjectType Title = Root.M_TitleObList().CCtsTextObject().CCtsTitleObject();
        TXMLTitleRectFTypeList List = Title.TitleRectF();
        QCOMPARE(List.Count(), 2);
        QCOMPARE(List[1].X(), QStringLiteral("b"));

        List.Add().SetX(QStringLiteral("c"));
        List.Insert(0).SetX(QStringLiteral("z"));
        List.Insert(4).SetX(QStringLiteral("end"));
        QCOMPARE(List.Count(), 5);
        QCOMPARE(Title.XML(), QStringLiteral(
            "<CCtsTitleObject><TitleRectF><X>z</X></TitleRectF><TitleRectF><X>a</X></TitleRectF><m_sText/>"
            "<TitleRectF><X>b</X></TitleRectF><TitlePointF/><TitleRectF><X>c</X></TitleRectF>"
            "<TitleRectF><X>end</X></TitleRectF></CCtsTitleObject>"));

        List.Delete(1);
        QCOMPARE(List[1].X(), QStringLiteral("b"));
        QCOMPARE(List.Remove(List[2]), 2);
        QCOMPARE(List.Count(), 3);
        QCOMPARE(List.Remove(TXMLTitleRectFType()), -1);
        QVERIFY_THROWS_EXCEPTION(EError, List.Item(3));
        QVERIFY_THROWS_EXCEPTION(EError, List.Delete(-1));
        QVERIFY_THROWS_EXCEPTION(EError, List.Insert(4));
        List.Clear();
        QCOMPARE(List.Count(), 0);
        QCOMPARE(Title.XML(), QStringLiteral("<CCtsTitleObject><m_sText/><TitlePointF/></CCtsTitleObject>"));
    }

    void documentOutlivesLoadCall()
    {
        TXMLTitleFontType Font;
        {
            const TXMLTitleDocumentType Root = LoadText(FDir, SmallTitleBody);
            Font = Root.M_TitleObList().CCtsTextObject().CCtsTitleObject().TitleFont();
        }
        QCOMPARE(Font.ISize(), 24);
    }

    void failedSaveLeavesNothing()
    {
        const TXMLTitleDocumentType Root = LoadText(FDir, SmallTitleBody);
        const QString Target = FDir.filePath(QStringLiteral("no/such/dir/t.etl"));
        try {
            SaveTitleDocument(Root, Target);
            QFAIL("saved into a missing folder");
        } catch (const EOSError& Error) {
            QVERIFY(Error.Message().contains(Target));
        }
        // A directory in the way: the rename fails after the bytes were written.
        QVERIFY(QDir(FDir.path()).mkpath(QStringLiteral("blocked.etl/inner")));
        const QString Blocked = FDir.filePath(QStringLiteral("blocked.etl"));
        QVERIFY_THROWS_EXCEPTION(EOSError, SaveTitleDocument(Root, Blocked));
        const QStringList Left = QDir(FDir.path()).entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden);
        QVERIFY2(Left.isEmpty(), qPrintable(Left.join(u',')));
    }
};

QTEST_GUILESS_MAIN(TestXMLTitleDocumentType)
#include "tst_xmltitledocumenttype.moc"
