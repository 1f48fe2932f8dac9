#pragma once

#include <QString>
#include <QStringList>

class TCompoundFile;

// The paragraphs of a Word 6.0, Word 95 or Word 97-2003 document stored in a compound file.
class TWordBinaryParser
{
public:
    static QStringList Parse(const TCompoundFile& File, const QString& Password, const QString& FileName);
};
