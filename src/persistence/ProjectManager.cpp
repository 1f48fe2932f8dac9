#include "ProjectManager.h"

#include "XmlSerializer.h"

#include "model/Error.h"
#include "model/Project.h"

TProjectManager::TProjectManager() = default;

TProjectManager::~TProjectManager() = default;

TProjectManager& ProjectManager()
{
    static TProjectManager Manager;
    return Manager;
}

TProject& TProjectManager::GetActiveProject() const
{
    if (!FActiveProject)
        throw EError(QStringLiteral("没有激活项目。"));
    return *FActiveProject;
}

void TProjectManager::Replace(std::unique_ptr<TProject> Project)
{
    if (Project.get() == FActiveProject.get())
        return;
    // The old project is gone before the new one is active, so nothing can reach a
    // half-freed project through the manager; the new one becomes active regardless.
    std::unique_ptr<TProject> Old = std::move(FActiveProject);
    FActiveProject = std::move(Project);
    Old.reset();
}

void TProjectManager::Notify()
{
    if (FOnChange)
        FOnChange(*this);
}

void TProjectManager::NewProject(const QString& FileName)
{
    auto Project = std::make_unique<TProject>();
    Project->SetFileName(FileName);
    Replace(std::move(Project));
    Notify();
}

void TProjectManager::OpenProject(const QString& FileName)
{
    Open(FileName, [&FileName] { return TXmlSerializer().LoadFromFile(TProject::StaticClass(), FileName); });
}

void TProjectManager::OpenProject(const QString& FileName, const QByteArray& Content)
{
    Open(FileName, [&Content] { return TXmlSerializer().LoadFromContent(TProject::StaticClass(), Content); });
}

void TProjectManager::Open(const QString& FileName, const std::function<std::unique_ptr<TPersistent>()>& Read)
{
    std::unique_ptr<TProject> Project;
    try {
        Project.reset(static_cast<TProject*>(Read().release()));
    } catch (const EError& Error) {
        throw EError(QStringLiteral("无法打开项目文件 '%1'：%2").arg(FileName, Error.Message()));
    }
    Project->SetFileName(FileName);
    Replace(std::move(Project));
    Notify();
}

void TProjectManager::SaveProject(const QString& FileName)
{
    TProject& Project = GetActiveProject();
    QString XmlText;
    try {
        TXmlSerializer().Serialize(Project, FileName, XmlText);
    } catch (const EError& Error) {
        throw EError(QStringLiteral("无法保存项目文件 '%1'：%2").arg(FileName, Error.Message()));
    }
    Project.SetFileName(FileName);
    Notify();
}
