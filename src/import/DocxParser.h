#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <pugixml.hpp>

#include <vector>

// The paragraphs of a Word document (.docx): every paragraph of the main document body in
// document order, those in table cells and content controls included, as the text of
// their runs, without the paragraph mark. Changes tracked in the document count as
// accepted: deleted and moved-away text is left out, inserted and moved-in text kept, a
// paragraph whose mark was deleted runs on into the next one, and a deleted table row
// gives no lines. A part that the body imports in place (w:altChunk) gives its own
// paragraphs there.
class TDocxParser
{
public:
    static QStringList Parse(const QByteArray& ZipBytes, const QString& FileName);

    // Where the body imports a part: the number of paragraphs before it, and the id of
    // its relationship.
    struct TChunkPlace
    {
        qsizetype Line;
        QString RelationshipId;
    };

    // The paragraphs of a WordprocessingML body (also of a Word 2003 XML document), and
    // the places of its imported parts when Chunks is given.
    static QStringList BodyParagraphs(const pugi::xml_node& Body, std::vector<TChunkPlace>* Chunks);
};
