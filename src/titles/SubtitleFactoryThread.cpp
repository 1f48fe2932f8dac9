#include "SubtitleFactoryThread.h"

#include "SubtitleItemFactory.h"
#include "SubtitleText.h"
#include "TitleOutputPath.h"
#include "TitleTemplate.h"

#include "import/Document.h"
#include "model/ApplicationDirectory.h"
#include "model/DocumentItem.h"
#include "model/OSError.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <sys/stat.h>


TSubtitleFactoryThread::TSubtitleFactoryThread(std::vector<TDocumentItem*> DocumentItems, QObject* Parent)
    : QThread(Parent)
    , FDocumentItems(std::move(DocumentItems))
    , FApplicationDirectory(::ApplicationDirectory())
    , FTemplateFileName(TemplateFilePath())
    , FHandOver(this)
{
    // Announced through the event loop, never from inside the hand-over's own wake-up,
    // so that a receiver may free this run when it hears of the end.
    FHandOver.OnClosed = [this] { QMetaObject::invokeMethod(this, &TSubtitleFactoryThread::Ended, Qt::QueuedConnection); };
}

TSubtitleFactoryThread::~TSubtitleFactoryThread()
{
    Stop();
}

bool TSubtitleFactoryThread::Stop()
{
    requestInterruption();
    if (FHandOver.Serving())
        return false;
    // Also when the thread has already finished: the hand-over is where this thread
    // meets the worker's last step, so all the worker wrote is seen here before anything
    // it used is freed.
    if (isRunning() || isFinished())
        FHandOver.ServeUntilClosed();
    wait();
    return true;
}

void TSubtitleFactoryThread::Dispose(std::unique_ptr<TSubtitleFactoryThread> Run)
{
    if (!Run || Run->Stop())
        return;
    // Stop could not wait, so the worker is blocked in the call being served and cannot
    // end before the connection is made.
    TSubtitleFactoryThread* Orphan = Run.release();
    Orphan->setParent(nullptr);
    connect(Orphan, &TSubtitleFactoryThread::Ended, Orphan, &QObject::deleteLater);
}

void TSubtitleFactoryThread::run()
{
    FCompleted = false;
    QString Failure;
    try {
        Execute();
    } catch (const EError& Error) {
        Failure = Error.Message();
    } catch (const std::exception& Error) {
        // Running out of memory or a library's own error must not take the program down
        // from a worker thread; it ends the run like any other failure.
        Failure = QString::fromLocal8Bit(Error.what());
    }
    if (!Failure.isEmpty()) {
        try {
            if (OnError)
                FHandOver.Call([this, &Failure] { OnError(Failure); });
            else
                qCritical("%s", qUtf8Printable(Failure));
        } catch (const std::exception& Error) {
            qCritical("%s\n%s", qUtf8Printable(Failure), Error.what());
        }
    }
    FHandOver.Close();
}

void TSubtitleFactoryThread::Execute()
{
    if (FDocumentItems.empty())
        return;
    TSubtitleItemFactory Factory;
    TDocument Document;
    Document.OnLoad = [this](const QString& Text, qint32 Index, qint32 Count, bool& Stop) {
        DocumentLoad(Text, Index, Count, Stop);
    };
    // Parsed on first use, so that a run with nothing to write needs no template.
    std::optional<TTitleTemplate> Template;

    const qint32 ItemCount = qint32(FDocumentItems.size());
    for (qint32 Index = 0; Index < ItemCount; ++Index) {
        if (isInterruptionRequested())
            return;
        TDocumentItem& Item = *FDocumentItems[std::size_t(Index)];
        if (Item.SourceLineIncrement() == 0)
            continue;
        GenerateDocument(Item, Document, Factory, [&]() -> TTitleTemplate& {
            if (!Template)
                Template.emplace(FTemplateFileName);
            return *Template;
        });
        if (isInterruptionRequested())
            return;
        // The document's last lines are reported before it counts as done, whether
        // anybody follows the documents or not.
        FHandOver.Flush();
        if (isInterruptionRequested())
            return;
        Raise(OnDocumentsProgress, ItemCount, Index + 1);
    }
    FCompleted = true;
}

void TSubtitleFactoryThread::GenerateDocument(TDocumentItem& Item, TDocument& Document, TSubtitleItemFactory& Factory,
                                              const std::function<TTitleTemplate&()>& Template)
{
    const qint32 Increment = Item.SourceLineIncrement();
    const QString SourceFileName = Item.SourceFileName();
    const QString Pattern = Item.SubtitleFileName();

    Document.Load(SourceFileName, Item.SourceFilePassword());
    // The load's progress is queued; all of it reaches the interface before the item changes.
    FHandOver.Flush();
    const qint32 LineCount = qint32(Document.Count());

    qint32 Counter = 1;
    std::optional<QString> Directory;
    Item.ClearImmutableSubtitleItems();
    qint32 Part = 0;
    const TTitleWrittenProc RecordTitle = [this, &Item, &Part](TSubtitleItem&) {
        auto Record = std::make_unique<TImmutableSubtitleItem>();
        TImmutableSubtitleItem* Added = Record.get();
        Item.AddImmutableSubtitleItem(std::move(Record));
        try {
            Item.AssignTo(Added);
        } catch (...) {
            Item.RemoveImmutableSubtitleItem(Added);
            throw;
        }
        ++Part;
        if (OnTitleWritten)
            OnTitleWritten(Item, Part);
    };

    for (qint32 Line = 0; Line < LineCount; ++Line) {
        if (isInterruptionRequested())
            return;
        if (Line % Increment == 0) {
            Item.SetSubtitleContent(TSubtitleText::Trim(Document.Strings(Line)));
            if (Item.SubtitleContent().isEmpty())
                continue;
            // Resolved at the first title of the document, which creates the folder; the
            // writer makes it again should it vanish meanwhile.
            if (!Directory)
                Directory = ResolveDirectory(Item, SourceFileName);
            const QString Path = TitlePath(*Directory, Pattern, Counter);
            QString TitleDirectory;
            QString TitleFileName;
            TTitleOutputPath::SplitPath(Path, TitleDirectory, TitleFileName);

            const QString PatternDirectory = Item.SubtitleDirectory();
            const QString PatternFileName = Item.SubtitleFileName();
            Item.SetSubtitleDirectory(TitleDirectory);
            Item.SetSubtitleFileName(TitleFileName);
            Part = 0;
            try {
                Factory.WriteSubtitles(Item, Template(), RecordTitle);
            } catch (...) {
                Item.SetSubtitleDirectory(PatternDirectory);
                Item.SetSubtitleFileName(PatternFileName);
                throw;
            }
            Item.SetSubtitleDirectory(PatternDirectory);
            Item.SetSubtitleFileName(PatternFileName);
            ++Counter;
        }
        QueueProgress(OnSubtitleProgress, LineCount, Line + 1);
    }
}

QString TSubtitleFactoryThread::TitlePath(const QString& Directory, const QString& Pattern, qint32 Counter)
{
    QString Name = Pattern;
    Name.replace(QStringLiteral("{0}"), QString::number(Counter).rightJustified(5, QLatin1Char('0')));
    return TTitleOutputPath::TitleFileName(Directory + Name);
}

QString TSubtitleFactoryThread::ResolveDirectory(const TDocumentItem& Item, const QString& SourceFileName) const
{
    QString Directory = TSubtitleText::Trim(Item.SubtitleDirectory());
    if (Directory.isEmpty())
        return Directory;
    Directory.replace(QStringLiteral("{AppDir}"), FApplicationDirectory);
    const QString SourceName = SourceFileName.mid(SourceFileName.lastIndexOf(QLatin1Char('/')) + 1);
    Directory.replace(QStringLiteral("{SourceFileName}"), TTitleOutputPath::RemoveFileExt(SourceName));
    if (!QFileInfo(Directory).isDir() && ::mkdir(QFile::encodeName(Directory).constData(), 0777) != 0) {
        const QString Reason = QString::fromLocal8Bit(std::strerror(errno));
        throw EOSError(QStringLiteral("无效的目录名称 '%1'.\r\n%2").arg(Directory, Reason));
    }
    if (!Directory.endsWith(QLatin1Char('/')))
        Directory += QLatin1Char('/');
    return Directory;
}

void TSubtitleFactoryThread::DocumentLoad(const QString&, qint32 Index, qint32 Count, bool& Stop)
{
    Stop = isInterruptionRequested();
    if (!Stop)
        QueueProgress(OnDocumentLoad, Count, Index);
}

void TSubtitleFactoryThread::Raise(const TFactoryProgressEvent& Event, qint32 Total, qint32 Position)
{
    if (Event)
        FHandOver.Call([&Event, Total, Position] { Event(Total, Position); });
}

// The worker does not wait for each line's progress, loaded or written: thousands of
// lines would each cost a round trip to the interface thread, whose handlers only show
// the figures. The lines are handed over in batches, at the latest with the next call
// the worker waits for. A stop asked by one of these handlers ends the run at the next
// line the worker starts, and the lines queued after it are not reported.
void TSubtitleFactoryThread::QueueProgress(const TFactoryProgressEvent& Event, qint32 Total, qint32 Position)
{
    if (Event)
        FHandOver.Queue([this, &Event, Total, Position] {
            if (!isInterruptionRequested())
                Event(Total, Position);
        });
}
