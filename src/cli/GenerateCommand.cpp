#include "GenerateCommand.h"

#include "InterruptWatcher.h"
#include "ProgressPrinter.h"

#include "model/DocumentItem.h"
#include "model/Error.h"
#include "model/Project.h"
#include "persistence/ProjectManager.h"
#include "titles/SubtitleFactoryThread.h"

#include <QCoreApplication>

TGenerateCommand::TGenerateCommand(QString ProjectFileName, std::FILE* Messages)
    : FProjectFileName(std::move(ProjectFileName))
    , FMessages(Messages)
{
}

void TGenerateCommand::PrintMessage(const QString& Message) const
{
    std::fprintf(FMessages, "%s\n", qUtf8Printable(Message));
    std::fflush(FMessages);
}

int TGenerateCommand::Run()
{
    bool Interrupted = false;
    TSubtitleFactoryThread* Active = nullptr;
    // Before any work: without it an early Ctrl+C would end the process at once.
    TInterruptWatcher Watcher([&] {
        Interrupted = true;
        if (Active)
            Active->Stop();
        QCoreApplication::quit();
    });

    // Looked at before and after the project opens, which may take a while.
    const auto InterruptedEarly = [&] {
        if (!Watcher.Interrupted())
            return false;
        PrintMessage(QStringLiteral("生成已中止：尚未写入字幕文件。"));
        return true;
    };
    if (InterruptedEarly())
        return 1;
    TProjectManager& Manager = ProjectManager();
    Manager.OpenProject(FProjectFileName);
    if (InterruptedEarly())
        return 1;
    TProject& Project = Manager.GetActiveProject();
    if (Project.DocumentItems().empty())
        throw EError(QStringLiteral("有没有源文件。"));

    std::vector<TDocumentItem*> Items;
    for (const std::unique_ptr<TDocumentItem>& Item : Project.DocumentItems())
        Items.push_back(Item.get());

    TProgressPrinter Progress(FMessages);
    QString Failure;
    TSubtitleFactoryThread Run(std::move(Items));
    Run.OnDocumentsProgress = [&](qint32 Total, qint32 Position) { Progress.SetDocuments(Total, Position); };
    Run.OnDocumentLoad = [&](qint32 Total, qint32 Position) { Progress.SetLoading(Total, Position); };
    Run.OnSubtitleProgress = [&](qint32 Total, qint32 Position) { Progress.SetLines(Total, Position); };
    Run.OnError = [&](const QString& Message) { Failure = Message; };
    QObject::connect(&Run, &TSubtitleFactoryThread::Ended, QCoreApplication::instance(), &QCoreApplication::quit);

    Active = &Run;
    Run.start();
    QCoreApplication::exec();
    Run.Stop();
    Active = nullptr;
    Progress.Finish();

    // Like the documents page, the project is saved after every end of the run, so the
    // records of the titles written so far are kept.
    Manager.SaveProject(FProjectFileName);

    if (!Failure.isEmpty()) {
        PrintMessage(Failure);
        return 1;
    }
    if (Interrupted || !Run.Completed()) {
        PrintMessage(QStringLiteral("生成已中止：已写入的字幕文件和记录已保存。"));
        return 1;
    }
    PrintMessage(QStringLiteral("操作成功."));
    return 0;
}
