#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A web archive (.mht, .mhtml, Word's and Excel's "single file web page"): a MIME message
// whose root part is the page, its pictures and style sheets in the parts beside it. The
// page is read as a web page in the charset its part's header names.
class TMhtParser
{
public:
    // The page's paragraphs, as THtmlParser gives them.
    static QStringList Parse(const QByteArray& Archive, const QString& FileName, const QByteArray& LegacyCodec = QByteArray());
    // Column A of the page, as THtmlSheetParser gives it.
    static QStringList ParseSheet(const QByteArray& Archive, const QString& FileName,
        const QByteArray& LegacyCodec = QByteArray());

private:
    struct TPage
    {
        QByteArray Html;
        QByteArray Charset;
    };

    static TPage RootPage(const QByteArray& Archive, const QString& FileName);
};
