#include "SpreadsheetXml2003Parser.h"

#include "DocumentError.h"
#include "OfficeXml.h"
#include "XlsxParser.h"

#include <QDate>
#include <QTime>

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>

namespace
{
// Text of an element and of everything inside it (rich text: <B>, <Font> ...).
QString InnerText(const pugi::xml_node& Element)
{
    QString Text;
    for (pugi::xml_node Node = Element.first_child(); Node; Node = TOfficeXml::Next(Element, Node, true))
        if (Node.type() == pugi::node_pcdata || Node.type() == pugi::node_cdata)
            Text += QString::fromUtf8(Node.value());
    return Text;
}

// "2024-01-15T08:30:00.000" as Excel's serial number; empty for text that is no date.
QString SerialNumber(const QString& Text, bool Date1904)
{
    const QString Trimmed = Text.trimmed();
    const QDate Date = QDate::fromString(Trimmed.left(10), Qt::ISODate);
    const QTime Time = Trimmed.size() > 11 ? QTime::fromString(Trimmed.mid(11), Qt::ISODateWithMs) : QTime(0, 0);
    if (!Date.isValid() || !Time.isValid() || (Trimmed.size() > 10 && Trimmed[10] != u'T'))
        return QString();
    // Excel counts 1900 as a leap year: its serial numbers from March 1900 on are one
    // more than the days since 1899-12-31.
    const QDate Epoch = Date1904 ? QDate(1904, 1, 1) : Date < QDate(1900, 3, 1) ? QDate(1899, 12, 31) : QDate(1899, 12, 30);
    return TXlsxParser::FormatNumber(double(Epoch.daysTo(Date)) + Time.msecsSinceStartOfDay() / 86400000.0);
}

QString CellText(const pugi::xml_node& Cell, bool Date1904)
{
    const pugi::xml_node Data = TOfficeXml::Child(Cell, "Data");
    const QString Text = InnerText(Data);
    const char* Type = TOfficeXml::Attribute(Data, "Type").value();
    if (std::strcmp(Type, "Number") == 0)
        return TXlsxParser::FormatNumberText(Text);
    if (std::strcmp(Type, "Boolean") == 0)
        return Text.trimmed() == u"0" ? QStringLiteral("FALSE") : QStringLiteral("TRUE");
    if (std::strcmp(Type, "DateTime") == 0)
    {
        const QString Serial = SerialNumber(Text, Date1904);
        return Serial.isEmpty() ? Text : Serial;
    }
    return Text; // String and Error
}

// An ss:Index, or Default when there is none; empty when it is no positive number.
std::optional<qint64> Index(const pugi::xml_node& Node, qint64 Default)
{
    const pugi::xml_attribute Attribute = TOfficeXml::Attribute(Node, "Index");
    if (!Attribute)
        return Default;
    bool Ok = false;
    const qint64 Value = QByteArrayView(Attribute.value()).trimmed().toLongLong(&Ok);
    return Ok && Value > 0 ? std::optional<qint64>(Value) : std::nullopt;
}

qint64 Count(const pugi::xml_node& Node, const char* Name)
{
    return std::clamp<qint64>(TOfficeXml::Attribute(Node, Name).as_llong(), 0, TXlsxParser::MaximumRow);
}
} // namespace

QStringList TSpreadsheetXml2003Parser::Parse(const QByteArray& Content, const QString& FileName)
{
    pugi::xml_document Document;
    TOfficeXml::Load(Content, FileName, Document);
    const pugi::xml_node Workbook = TOfficeXml::Child(Document, "Workbook");
    if (!Workbook)
        throw EDocument::InvalidFormat(FileName);
    const bool Date1904 = TOfficeXml::Child(TOfficeXml::Child(Workbook, "ExcelWorkbook"), "Date1904");
    const pugi::xml_node Table = TOfficeXml::Child(TOfficeXml::Child(Workbook, "Worksheet"), "Table");

    // The row count is the writer's claim, as the dimension of a .xlsx sheet.
    qint64 LastRow = Count(Table, "ExpandedRowCount");
    bool AnyCell = false;
    std::map<qint64, QString> ColumnA;
    qint64 RowNumber = 0;
    for (pugi::xml_node Row = TOfficeXml::Child(Table, "Row"); Row; Row = Row.next_sibling())
    {
        if (!TOfficeXml::Is(Row, "Row"))
            continue;
        // Rows come in increasing order: a row that goes back, or lies beyond Excel's last
        // row, is damage.
        const qint64 Number = Index(Row, RowNumber + 1).value_or(0);
        if (Number <= RowNumber || Number > TXlsxParser::MaximumRow)
            throw TXlsxParser::InvalidRowNumber(FileName, QString::fromUtf8(TOfficeXml::Attribute(Row, "Index").value()));
        RowNumber = Number;
        qint64 Column = 0;
        for (pugi::xml_node Cell = TOfficeXml::Child(Row, "Cell"); Cell; Cell = Cell.next_sibling())
        {
            if (!TOfficeXml::Is(Cell, "Cell"))
                continue;
            Column = Index(Cell, Column + 1).value_or(Column + 1);
            AnyCell = true;
            LastRow = std::max(LastRow, RowNumber);
            if (Column == 1)
                ColumnA[RowNumber] = CellText(Cell, Date1904);
            // A merged cell covers the columns after it.
            Column += Count(Cell, "MergeAcross");
        }
        // Rows formatted alike are written once, with the number of those that follow.
        RowNumber = std::min<qint64>(RowNumber + Count(Row, "Span"), TXlsxParser::MaximumRow);
    }
    if (!AnyCell)
        LastRow = 0;

    QStringList Lines;
    Lines.reserve(LastRow);
    for (qint64 I = 1; I <= LastRow; ++I)
    {
        const auto Found = ColumnA.find(I);
        Lines.append(Found == ColumnA.end() ? QString() : Found->second);
    }
    return Lines;
}
