#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The paragraphs of a Word 2003 XML document (WordprocessingML 2003, one XML file), read
// as those of a .docx: the body's paragraphs in document order, table cells included,
// deleted text, field codes, text boxes, notes and comments left out.
class TWordXml2003Parser
{
public:
    static QStringList Parse(const QByteArray& Content, const QString& FileName);
};
