#include "import/DocumentError.h"
#include "import/OfficeXml.h"
#include "import/WordXml2003Parser.h"

#include "Xml2003Samples.h"

#include <QTest>

namespace
{
const QString FileName = QStringLiteral("/docs/台词.doc");
}

class TestWordXml2003Parser : public QObject
{
    Q_OBJECT

private slots:
    void paragraphs_data()
    {
        QTest::addColumn<QByteArray>("Content");
        QTest::addColumn<QStringList>("Expected");
        for (const Xml2003Samples::TSample& Sample : Xml2003Samples::WordSamples())
            QTest::newRow(Sample.Name) << Sample.Content << Sample.Lines;
    }

    void paragraphs()
    {
        QFETCH(QByteArray, Content);
        QFETCH(QStringList, Expected);
        QCOMPARE(TWordXml2003Parser::Parse(Content, FileName), Expected);
    }

    void refusedNamingFile_data()
    {
        using namespace Xml2003Samples;
        QTest::addColumn<QByteArray>("Content");
        QTest::addColumn<QString>("Reason");
        QTest::newRow("not well-formed") << WordDocument(P(R("x"))).chopped(20) << QStringLiteral("不是有效的 XML");
        QTest::newRow("document type")
            << WordDocument(P(R("&e;"))).replace("<w:wordDocument", "<!DOCTYPE w:wordDocument [<!ENTITY e \"x\">]><w:wordDocument")
            << QStringLiteral("DOCTYPE");
        QTest::newRow("no body") << QByteArray("<w:wordDocument xmlns:w=\"http://schemas.microsoft.com/office/word/2003/wordml\"/>")
                                 << QStringLiteral("Érvénytelen");
        // A few megabytes of markup would make a tree of more than a gigabyte.
        QTest::newRow("tree too large") << WordDocument(QByteArray("<w:p/>").repeated(TOfficeXml::MaximumTreeBytes / 128 + 1))
                                        << QStringLiteral("1 GiB");
    }

    void refusedNamingFile()
    {
        QFETCH(QByteArray, Content);
        QFETCH(QString, Reason);
        try
        {
            const QStringList Lines = TWordXml2003Parser::Parse(Content, FileName);
            QFAIL(qPrintable(QStringLiteral("no error; %1 lines").arg(Lines.size())));
        }
        catch (const EDocument& Error)
        {
            QVERIFY2(Error.Message().contains(FileName) && Error.Message().contains(Reason), qPrintable(Error.Message()));
        }
    }
};

QTEST_GUILESS_MAIN(TestWordXml2003Parser)
#include "tst_wordxml2003parser.moc"
