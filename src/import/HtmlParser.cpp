#include "HtmlParser.h"

#include "DocumentReader.h"
#include "HtmlBlocks.h"
#include "HtmlCharset.h"
#include "HtmlLine.h"
#include "MalformedDataError.h"

#include <vector>

namespace
{
class TParagraphs final : public THtmlBlocks
{
public:
    explicit TParagraphs(const QString& FileName) : FFileName(FileName) {}

    QStringList Read(QByteArrayView Utf8)
    {
        ParsePage(Utf8);
        Flush();
        return std::move(FLines);
    }

private:
    void Start(TElement Element, TAttributes) override
    {
        if (Element == TElement::Break)
        {
            Add(FLine.Take());
            return;
        }
        Flush();
        FOpened.push_back(FLines.size());
    }

    void End(TElement Element) override
    {
        if (Element == TElement::Break)
            return;
        Flush();
        // A paragraph or cell with nothing in it is still an empty paragraph.
        if ((Element == TElement::Paragraph || Element == TElement::Cell) && FLines.size() == FOpened.back())
            Add(QString());
        FOpened.pop_back();
    }

    void Text(QByteArrayView Utf8, bool Preformatted) override
    {
        if (!Preformatted)
        {
            FLine.Append(Utf8, false);
            return;
        }
        // Each line of preformatted text is a paragraph of its own.
        qsizetype Start = 0;
        for (qsizetype I = 0; I < Utf8.size(); ++I)
        {
            const char C = Utf8[I];
            if (C != '\n' && C != '\r')
                continue;
            FLine.Append(Utf8.sliced(Start, I - Start), true);
            Add(FLine.Take());
            if (C == '\r' && I + 1 < Utf8.size() && Utf8[I + 1] == '\n')
                ++I;
            Start = I + 1;
        }
        FLine.Append(Utf8.sliced(Start), true);
    }

    void Flush()
    {
        if (!FLine.IsEmpty())
            Add(FLine.Take());
    }

    void Add(const QString& Line)
    {
        if (FLines.size() >= TDocumentReader::MaximumLines)
            throw TDocumentReader::TooManyLines(FFileName);
        FLines.append(Line);
    }

    const QString& FFileName;
    THtmlLine FLine;
    QStringList FLines;
    std::vector<qsizetype> FOpened; // lines before each open block
};
} // namespace

QStringList THtmlParser::Parse(
    const QByteArray& Page, const QString& FileName, const QByteArray& LegacyCodec, QByteArrayView HeaderCharset)
{
    const QByteArray Utf8 = THtmlCharset::ToUtf8(Page, HeaderCharset, LegacyCodec, FileName);
    try
    {
        return TParagraphs(FileName).Read(Utf8);
    }
    catch (const EMalformedData& Error)
    {
        throw EDocument(QStringLiteral("无法读取网页 '%1'：%2。").arg(FileName, Error.Message()));
    }
}
