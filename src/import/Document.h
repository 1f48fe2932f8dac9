#pragma once

#include "DocumentLoadEvent.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class TDocumentReader;

// A source document as an ordered list of lines. Load chooses the reader by the file's
// extension and reports every line through OnLoad before it is added; the handler can stop
// the load, which keeps the lines added so far.
class TDocument
{
public:
    TDocumentLoadEvent OnLoad;

    // LegacyCodec is the code page of text files that have no byte-order mark and are no
    // valid UTF-8; empty means that of the user's locale.
    explicit TDocument(const QByteArray& LegacyCodec = QByteArray());
    virtual ~TDocument();

    TDocument(const TDocument&) = delete;
    TDocument& operator=(const TDocument&) = delete;

    virtual void Load(const QString& FileName);
    virtual void Load(const QString& FileName, const QString& Password);
    // Load from the file's bytes already in memory; FileName still chooses the reader and
    // names the file in messages.
    void Load(const QByteArray& Content, const QString& FileName, const QString& Password);

    qsizetype Count() const noexcept { return FStrings.size(); }
    // Fails with EInvalidOp for an index outside 0 .. Count() - 1.
    const QString& Strings(qsizetype Index) const;
    const QString& operator[](qsizetype Index) const { return Strings(Index); }
    void Add(const QString& Line);
    void Clear();

    void SetLegacyCodec(const QByteArray& LegacyCodec);
    const QByteArray& LegacyCodec() const noexcept { return FLegacyCodec; }

    // The upper-cased extension, dot included, that decides the reader ("" when none).
    static QString Extension(const QString& FileName);

private:
    std::unique_ptr<TDocumentReader> CreateReader(const QString& FileName) const;
    void AddLines(const TDocumentReader& Reader, const QStringList& Lines);

    QStringList FStrings;
    QByteArray FLegacyCodec;
};
