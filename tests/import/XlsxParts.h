#pragma once

#include <QByteArray>

// The parts of a small workbook package, shared by the workbook reader's tests and the
// fuzzers' seeds: two sheets, listed in the package in the opposite order to the
// workbook's, and a sheet builder.
namespace XlsxParts
{
inline const QByteArray RootRels = QByteArrayLiteral(
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>)"
    R"(</Relationships>)");

// The second sheet comes first in the package's relationships; the workbook's order decides.
inline const QByteArray WorkbookRels = QByteArrayLiteral(
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId9" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet2.xml"/>)"
    R"(<Relationship Id="rId7" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="/xl/worksheets/sheet1.xml"/>)"
    R"(<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/>)"
    R"(</Relationships>)");

inline const QByteArray Workbook = QByteArrayLiteral(
    R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
    R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets>)"
    R"(<sheet name="First" sheetId="2" r:id="rId7"/><sheet name="Second" sheetId="1" r:id="rId9"/></sheets></workbook>)");

// A worksheet with the given dimension (none when empty) and rows.
inline QByteArray Sheet(const QByteArray& Dimension, const QByteArray& Rows)
{
    return R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
        + (Dimension.isEmpty() ? QByteArray() : "<dimension ref=\"" + Dimension + "\"/>") + "<sheetData>" + Rows
        + "</sheetData></worksheet>";
}
} // namespace XlsxParts
