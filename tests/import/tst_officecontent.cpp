#include "import/Document.h"
#include "import/DocumentError.h"
#include "import/OfficeContent.h"

#include "CompoundFileBuilder.h"
#include "RtfSamples.h"
#include "WebPages.h"
#include "Xml2003Samples.h"
#include "ZipBuilder.h"

#include <QStringEncoder>
#include <QTest>

using namespace WebPages;
using TKind = TOfficeContent::TKind;
Q_DECLARE_METATYPE(TKind)

namespace
{
// The start of an OpenDocument package: its uncompressed "mimetype" entry comes first.
QByteArray OpenDocument(const char* Type)
{
    return QByteArray("PK\x03\x04") + QByteArray(22, '\0') + QByteArray("\x08\0\0\0", 4) + "mimetype"
        + "application/vnd.oasis.opendocument." + Type;
}
} // namespace

// What the first bytes tell, and what the Word and Excel readers make of it.
class TestOfficeContent : public QObject
{
    Q_OBJECT

private slots:
    void sniff_data()
    {
        QTest::addColumn<QByteArray>("Content");
        QTest::addColumn<TKind>("Kind");
        QTest::newRow("Word page") << WordPage(Chinese) << TKind::Html;
        QTest::newRow("doctype") << QByteArray("<!doctype html><p>x") << TKind::Html;
        QTest::newRow("table after blank lines") << QByteArray(" \r\n\t<TABLE border=1><tr><td>x") << TKind::Html;
        QTest::newRow("meta first") << QByteArray("<meta charset=utf-8><table>") << TKind::Html;
        QTest::newRow("XHTML") << QByteArray("<?xml version=\"1.0\"?>\n<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0//EN\">")
                               << TKind::Html;
        QTest::newRow("UTF-16 page") << QByteArray("\xFF\xFE") + Encode("UTF-16LE", QStringLiteral("<html><p>页")) << TKind::Html;
        QTest::newRow("Office web archive") << Archive(WordPage(Chinese), "utf-8") << TKind::Mht;
        QTest::newRow("browser web archive")
            << QByteArray("From: <Saved by Blink>\r\nSubject: =?utf-8?Q?x?=\r\nMIME-Version: 1.0\r\n"
                          "Content-Type: multipart/related;\r\n\ttype=\"text/html\";\r\n\tboundary=\"b\"\r\n\r\n--b\r\n")
            << TKind::Mht;
        QTest::newRow("mail header, one part") << QByteArray("Subject: hello\r\nTo: a@b\r\n\r\ntext\r\n") << TKind::Text;
        QTest::newRow("text with markup later") << QByteArray("Hello <b>world</b>\r\n") << TKind::Text;
        QTest::newRow("comma-separated") << QByteArray("a,b\r\nc,d\r\n") << TKind::Text;
        QTest::newRow("UTF-16 text") << QByteArray("\xFF\xFE") + Encode("UTF-16LE", Russian) << TKind::Text;
        QTest::newRow("legacy code page") << Encode("GB18030", Chinese) << TKind::Text;
        QTest::newRow("PDF") << QByteArray("%PDF-1.7\n%\xE2\xE3\xCF\xD3\n") << TKind::Foreign;
        QTest::newRow("OpenDocument") << OpenDocument("text") << TKind::Foreign;
        QTest::newRow("package") << MakeZip({{QStringLiteral("word/document.xml"), "<document/>"}}) << TKind::Zip;
        QTest::newRow("compound file") << MakeCompoundFile({{QStringLiteral("WordDocument"), QByteArray(100, '\0')}})
                                       << TKind::CompoundFile;
        QTest::newRow("control characters") << QByteArray("text\x01\x02 more", 11) << TKind::Unknown;
        QTest::newRow("empty") << QByteArray() << TKind::Unknown;

        namespace X = Xml2003Samples;
        const QByteArray Word = X::WordDocument(X::P(X::R("x")));
        const QByteArray Excel = X::Workbook(X::Worksheet(X::Row(X::Text(QStringLiteral("x")))));
        QTest::newRow("RTF") << RtfSamples::Document("\\ansi", "", "x") << TKind::Rtf;
        QTest::newRow("Word 2003 XML") << Word << TKind::WordXml2003;
        QTest::newRow("Word 2003 XML without declarations") << Word.mid(Word.indexOf("<w:wordDocument")) << TKind::WordXml2003;
        QTest::newRow("Word 2003 XML in UTF-16 without mark")
            << QByteArray(QStringEncoder(QStringConverter::Utf16BE).encode(QString::fromUtf8(Word))) << TKind::WordXml2003;
        QTest::newRow("Excel 2003 XML") << Excel << TKind::SpreadsheetXml2003;
        QTest::newRow("Excel 2003 XML after a comment and blanks")
            << QByteArray("\xEF\xBB\xBF \r\n<!-- exported -->") + Excel << TKind::SpreadsheetXml2003;
        // Office's web pages name Office namespaces too, but not these formats'.
        QTest::newRow("Excel web page")
            << QByteArray("<html xmlns:x=\"urn:schemas-microsoft-com:office:excel\" xmlns=\"http://www.w3.org/TR/REC-html40\">")
            << TKind::Html;
        QTest::newRow("web page naming the spreadsheet namespace")
            << QByteArray("<html><body>urn:schemas-microsoft-com:office:spreadsheet</body></html>") << TKind::Html;
        QTest::newRow("workbook of another namespace") << QByteArray("<?xml version=\"1.0\"?><Workbook xmlns=\"urn:other\"/>")
                                                      << TKind::Text;
        QTest::newRow("unclosed declaration") << QByteArray("<?xml version=\"1.0\"") << TKind::Text;
        QTest::newRow("text") << QByteArray("{rtf} is no RTF") << TKind::Text;
    }

    void sniff()
    {
        QFETCH(QByteArray, Content);
        QFETCH(TKind, Kind);
        QCOMPARE(TOfficeContent::Sniff(Content), Kind);
    }

    void foreignFormatsAreNamed_data()
    {
        QTest::addColumn<QByteArray>("Content");
        QTest::addColumn<QString>("Format");
        QTest::newRow("PDF") << QByteArray("%PDF-1.4\n1 0 obj") << QStringLiteral("PDF 文件");
        QTest::newRow("WordPerfect") << QByteArray("\xFFWPC\x10\x00\x00\x00\x01\x0A", 10) << QStringLiteral("WordPerfect 文档");
        QTest::newRow("PNG") << QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16) << QStringLiteral("PNG 图像");
        QTest::newRow("JPEG") << QByteArray("\xFF\xD8\xFF\xE0\0\x10JFIF", 10) << QStringLiteral("JPEG 图像");
        QTest::newRow("BMP") << QByteArray("BM\x36\0\0\0\0\0\0\0\x36\0\0\0", 14) << QStringLiteral("BMP 图像");
        QTest::newRow("OpenDocument text") << OpenDocument("text") << QStringLiteral("OpenDocument 文本文档（.odt）");
        QTest::newRow("OpenDocument spreadsheet") << OpenDocument("spreadsheet")
                                                  << QStringLiteral("OpenDocument 电子表格（.ods）");
        QTest::newRow("7z") << QByteArray("7z\xBC\xAF\x27\x1C\0\x04", 8) << QStringLiteral("7z 压缩包");
    }

    void foreignFormatsAreNamed()
    {
        QFETCH(QByteArray, Content);
        QFETCH(QString, Format);
        QCOMPARE(TOfficeContent::ForeignFormat(Content), Format);
        for (const auto& [Name, Kind] : {std::pair{"/docs/x.doc", "Word 文档"}, std::pair{"/docs/x.xls", "Excel 工作簿"}})
        {
            TDocument Document;
            try
            {
                Document.Load(Content, QString::fromUtf8(Name), QString());
                QFAIL("no error");
            }
            catch (const EDocument& Error)
            {
                const QString Message = Error.Message();
                QVERIFY2(Message.contains(QString::fromUtf8(Name)) && Message.contains(Format)
                        && Message.contains(QStringLiteral("不是 ") + QString::fromUtf8(Kind)),
                    qPrintable(Message));
            }
        }
    }

    // Under either reader's extensions, the content decides what is read.
    void readersTakeEveryKind_data()
    {
        QTest::addColumn<QString>("Name");
        QTest::addColumn<QByteArray>("Content");
        QTest::addColumn<QStringList>("Lines");
        const QByteArray Page = WordPage(QStringLiteral("<p>%1</p><table><tr><td>%2<td>B</table>").arg(Chinese, Greek));
        QTest::newRow("page as .doc") << QStringLiteral("x.doc") << Page << QStringList{Chinese, Greek, QStringLiteral("B")};
        QTest::newRow("page as .xls") << QStringLiteral("x.xls") << Page << QStringList{Chinese, Greek};
        QTest::newRow("archive as .docx") << QStringLiteral("x.docx") << Archive(Page, "utf-8")
                                          << QStringList{Chinese, Greek, QStringLiteral("B")};
        QTest::newRow("archive as .xls") << QStringLiteral("x.xls") << Archive(Page, "utf-8") << QStringList{Chinese, Greek};
        const QByteArray Text = Encode("GB18030", QStringLiteral("%1,甲\r\n\r\n%2,乙\r\n").arg(Chinese, Japanese.left(3)));
        QTest::newRow("text as .doc") << QStringLiteral("x.doc") << Text
                                      << QStringList{Chinese + QStringLiteral(",甲"), QString(), Japanese.left(3) + QStringLiteral(",乙")};
        QTest::newRow("text as .xls") << QStringLiteral("x.xls") << Text << QStringList{Chinese, QString(), Japanese.left(3)};
    }

    void readersTakeEveryKind()
    {
        QFETCH(QString, Name);
        QFETCH(QByteArray, Content);
        QFETCH(QStringList, Lines);
        TDocument Document(QByteArrayLiteral("GB18030"));
        Document.Load(Content, Name, QString());
        QStringList Read;
        for (qsizetype I = 0; I < Document.Count(); ++I)
            Read << Document[I];
        QCOMPARE(Read, Lines);
    }
};

QTEST_GUILESS_MAIN(TestOfficeContent)
#include "tst_officecontent.moc"
