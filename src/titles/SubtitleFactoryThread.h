#pragma once

#include "FactoryProgressEvent.h"
#include "HandOver.h"

#include <QString>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class TDocument;
class TDocumentItem;
class TSubtitleItem;
class TSubtitleItemFactory;
class TTitleTemplate;

// The generation run: turns every document item into numbered title files on a
// worker thread. The items stay owned by the project; the run only refers to them.
//
// Created not started; the owner sets the events and calls start(), once. Every event
// and the error report run on the thread that created this object (the interface
// thread). The worker waits for the end of each document and for the error report;
// the progress of each line, loaded or written, is handed over in batches (see
// QueueProgress), so a handler may run while the worker already writes the next titles
// and must read none of the items. Stop() requests the end and waits for the worker
// while serving those hand-overs, so it cannot deadlock against a blocked worker.
// Ended() is the end notification, emitted on the interface thread; QThread::finished
// comes from the worker thread itself and is no notice for the interface.
class TSubtitleFactoryThread : public QThread
{
    Q_OBJECT

public:
    explicit TSubtitleFactoryThread(std::vector<TDocumentItem*> DocumentItems, QObject* Parent = nullptr);
    // Stops a run still in progress first. Never destroy a run from inside one of its
    // own handed-over calls (it cannot wait there); Dispose handles that case.
    ~TSubtitleFactoryThread() override;

    TFactoryProgressEvent OnDocumentsProgress;
    TFactoryProgressEvent OnDocumentLoad;
    TFactoryProgressEvent OnSubtitleProgress;
    // Reports an error that ended the run; the app shows a message box.
    std::function<void(const QString& Message)> OnError;
    // Called on the worker thread, unlike the events above, right after each title file
    // is written: with the document item holding that title's text, box, directory and
    // file name, and the title's part number within its subtitle (1 for its first
    // title, 2 for the one named "_2", ...). It must touch nothing that the interface
    // thread uses while the run goes on.
    std::function<void(const TSubtitleItem& Title, qint32 Part)> OnTitleWritten;

    const QString& ApplicationDirectory() const { return FApplicationDirectory; }
    const QString& TemplateFileName() const { return FTemplateFileName; }

    // Requests the end and waits for it, serving hand-overs meanwhile. Interface thread
    // only. Called from inside one of the run's handed-over calls (a handler that stops,
    // or an event loop nested in a handler, such as a message box) it cannot wait: the
    // worker waits for that very call. It then only requests the end, which follows
    // once the call has returned. Returns whether the worker has ended.
    bool Stop();

    // Stops and frees Run. When it cannot wait (see Stop), the run frees itself on the
    // interface thread once its worker has ended; its handlers must then guard against
    // their receivers being gone.
    static void Dispose(std::unique_ptr<TSubtitleFactoryThread> Run);

    // True when the last run handled every item: no stop, no error.
    bool Completed() const { return FCompleted.load(); }

    // The path of title number Counter: "{0}" in the pattern becomes the number with at
    // least five digits, and the extension becomes ".etl".
    static QString TitlePath(const QString& Directory, const QString& Pattern, qint32 Counter);

    // The handler the run gives the document's OnLoad event.
    void DocumentLoad(const QString& Text, qint32 Index, qint32 Count, bool& Stop);

signals:
    // The worker has ended, for whatever reason (a Stop() that waited for it included);
    // emitted once on the interface thread, from its event loop.
    void Ended();

protected:
    void run() override;

private:
    void Execute();
    void GenerateDocument(TDocumentItem& Item, TDocument& Document, TSubtitleItemFactory& Factory,
                          const std::function<TTitleTemplate&()>& Template);
    QString ResolveDirectory(const TDocumentItem& Item, const QString& SourceFileName) const;
    void Raise(const TFactoryProgressEvent& Event, qint32 Total, qint32 Position);
    void QueueProgress(const TFactoryProgressEvent& Event, qint32 Total, qint32 Position);

    std::vector<TDocumentItem*> FDocumentItems;
    QString FApplicationDirectory;
    QString FTemplateFileName;
    THandOver FHandOver;
    std::atomic<bool> FCompleted{false};
};
