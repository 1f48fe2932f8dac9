#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

// Column A of comma-separated or tab-separated text as Excel opens it: the first field of
// each record, one line per record up to Excel's last row. A field in double quotes may
// hold separators and line breaks, a doubled quote standing for one; text after its
// closing quote is kept, and a quote inside an unquoted field is an ordinary character.
// The separator is the one a first line "sep=;" names, as Excel honours it; else the one
// of tab, semicolon and comma that splits the first records into the same number of
// fields most often, tab before semicolon before comma when they tie. Records end at
// CR LF, a lone CR or a lone LF; a NUL ends the text.
class TDelimitedTextParser
{
public:
    // The bytes decoded as text files are (TTextFileDecoder): by byte-order mark, else as
    // UTF-8, else in the ANSI code page.
    static QStringList Parse(const QByteArray& Content, const QString& FileName, const QByteArray& LegacyCodec = QByteArray());

    static QStringList FirstColumn(QStringView Text);
    static char16_t Separator(QStringView Text);
};
