#include "GenerateCommand.h"

#include "InterruptWatcher.h"
#include "ProgressPrinter.h"
#include "RunSummary.h"

#include "model/DocumentItem.h"
#include "model/Error.h"
#include "model/Project.h"
#include "persistence/ProjectManager.h"
#include "titles/FontSubstitution.h"
#include "titles/SubtitleFactoryThread.h"

#include <QCoreApplication>
#include <QStringList>

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

void TGenerateCommand::WarnOfMissingFonts(const std::vector<TDocumentItem*>& Items) const
{
    QStringList Checked;
    for (const TDocumentItem* Item : Items) {
        const QString FontName = Item->FontName();
        if (Item->SourceLineIncrement() == 0 || Checked.contains(FontName, Qt::CaseInsensitive))
            continue;
        Checked << FontName;
        const QString Substitute = TFontSubstitution::SubstituteFor(FontName);
        if (!Substitute.isEmpty())
            PrintMessage(QStringLiteral("警告：找不到字体“%1”，换行按“%2”测量，可能与编辑软件中的换行不同。")
                             .arg(FontName, Substitute));
    }
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

    WarnOfMissingFonts(Items);

    TProgressPrinter Progress(FMessages);
    TRunSummary Summary;
    QString Failure;
    TSubtitleFactoryThread Run(std::move(Items));
    Run.OnDocumentsProgress = [&](qint32 Total, qint32 Position) { Progress.SetDocuments(Total, Position); };
    Run.OnDocumentLoad = [&](qint32 Total, qint32 Position) { Progress.SetLoading(Total, Position); };
    Run.OnSubtitleProgress = [&](qint32 Total, qint32 Position) { Progress.SetLines(Total, Position); };
    Run.OnError = [&](const QString& Message) { Failure = Message; };
    // On the worker; read here only once the run has ended.
    Run.OnTitleWritten = [&](const TSubtitleItem& Title, qint32 Part) { Summary.Add(Title, Part); };
    QObject::connect(&Run, &TSubtitleFactoryThread::Ended, QCoreApplication::instance(), &QCoreApplication::quit);

    Active = &Run;
    Run.start();
    QCoreApplication::exec();
    Run.Stop();
    Active = nullptr;
    Progress.Finish();
    Summary.Print(FMessages);

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
