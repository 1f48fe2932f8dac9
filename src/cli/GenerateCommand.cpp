#include "GenerateCommand.h"

#include "InterruptWatcher.h"
#include "ProgressPrinter.h"

#include "model/DocumentItem.h"
#include "model/Error.h"
#include "model/Project.h"
#include "persistence/ProjectManager.h"
#include "titles/SubtitleFactoryThread.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

void PrintError(const QString& Message)
{
    std::fprintf(stderr, "%s\n", qUtf8Printable(Message));
}

} // namespace

TGenerateCommand::TGenerateCommand(QString ProjectFileName)
    : FProjectFileName(std::move(ProjectFileName))
{
}

int TGenerateCommand::Run()
{
    TProjectManager& Manager = ProjectManager();
    Manager.OpenProject(FProjectFileName);
    TProject& Project = Manager.GetActiveProject();
    if (Project.DocumentItems().empty())
        throw EError(QStringLiteral("有没有源文件。"));

    std::vector<TDocumentItem*> Items;
    for (const std::unique_ptr<TDocumentItem>& Item : Project.DocumentItems())
        Items.push_back(Item.get());

    TProgressPrinter Progress(stderr);
    QString Failure;
    bool Interrupted = false;
    TSubtitleFactoryThread Run(std::move(Items));
    Run.OnDocumentsProgress = [&](qint32 Total, qint32 Position) { Progress.SetDocuments(Total, Position); };
    Run.OnDocumentLoad = [&](qint32 Total, qint32 Position) { Progress.SetLoading(Total, Position); };
    Run.OnSubtitleProgress = [&](qint32 Total, qint32 Position) { Progress.SetLines(Total, Position); };
    Run.OnError = [&](const QString& Message) { Failure = Message; };
    QObject::connect(&Run, &QThread::finished, QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);

    TInterruptWatcher Watcher([&] {
        Interrupted = true;
        Run.Stop();
        QCoreApplication::quit();
    });
    Run.start();
    QCoreApplication::exec();
    Run.Stop();
    Progress.Finish();

    // Like the documents page, the project is saved after every end of the run, so the
    // records of the titles written so far are kept.
    Manager.SaveProject(FProjectFileName);

    if (!Failure.isEmpty()) {
        PrintError(Failure);
        return 1;
    }
    if (Interrupted || !Run.Completed()) {
        PrintError(QStringLiteral("生成已中止：已写入的字幕文件和记录已保存。"));
        return 1;
    }
    std::fprintf(stderr, "%s\n", qUtf8Printable(QStringLiteral("操作成功.")));
    return 0;
}
