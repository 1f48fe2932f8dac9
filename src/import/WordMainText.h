#pragma once

#include "CodePageDecoder.h"
#include "WordCharacterProperties.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>
#include <map>

class TWordCharacterFormats;
class TWordPieceTable;

// The main text of a Word document as its author sees it with the changes tracked in it
// accepted: text marked as deleted is left out, paragraph and cell marks included, so
// that a paragraph whose mark was deleted runs on into the next one; inserted text stays.
// The 8-bit text of Word 6.0 and Word 95 documents is decoded run by run in the code page
// each run is in, consecutive runs of one code page together.
class TWordMainText
{
public:
    // The code page of 8-bit text at character Position with these properties, and in
    // Until the position where the answer may change.
    using TCodePageOf = std::function<quint16(const TWordCharacterProperties& Run, qint64 Position, qint64& Until)>;

    // Characters 0 to Length - 1 of the document. Without CodePageOf (Word 97-2003), 8-bit
    // pieces are in Word's Western code page. Raises EMalformedData as the piece table and
    // the formatting do, and EUnsupportedFormat for text in a code page this system cannot
    // decode.
    TWordMainText(const TWordPieceTable& Pieces, QByteArrayView WordDocument, qint64 Length,
        const TWordCharacterFormats& Characters, bool Word6, const TCodePageOf& CodePageOf = {});

    const QString& Text() const noexcept { return FText; }

    // The character position that the character at Index of the text comes from; known
    // for every paragraph and cell mark that a code page's converter kept, -1 otherwise.
    qint64 Position(qsizetype Index) const;

private:
    // From Index on, the text comes from Position on, one character per position
    // (Linear), or only the character at Index is known to come from Position.
    struct TAnchor
    {
        qsizetype Index = 0;
        qint64 Position = 0;
        bool Linear = true;
    };

    // Count characters more at the end of the text, to be written there, which come from
    // Position on.
    char16_t* Extend(qint64 Count, qint64 Position);
    void AppendUtf16(const char* Bytes, qint64 Count, qint64 Position);
    void AppendWestern(const char* Bytes, qint64 Count, qint64 Position);
    void AppendEncoded(quint16 CodePage, const char* Bytes, qint64 Count, qint64 Position);
    void Flush();
    void Anchor(qsizetype Index, qint64 Position, bool Linear);
    TCodePageDecoder& Decoder(quint16 CodePage);

    QString FText;
    // Until the first anchor every character comes from the position of its index.
    QList<TAnchor> FAnchors;

    // 8-bit text of one code page not decoded yet, and where its runs start in it and in
    // the document.
    QByteArray FPending;
    quint16 FPendingCodePage = 0;
    QList<std::pair<qsizetype, qint64>> FPendingRuns;
    std::map<quint16, TCodePageDecoder> FDecoders;
};
