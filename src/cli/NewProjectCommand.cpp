#include "NewProjectCommand.h"

#include "model/DocumentItem.h"
#include "model/Error.h"
#include "model/Project.h"
#include "model/RTTI.h"
#include "persistence/ProjectManager.h"

#include <QFileInfo>

TNewProjectCommand::TNewProjectCommand(QString ProjectFileName, QStringList Documents, QStringList Assignments)
    : FProjectFileName(std::move(ProjectFileName))
    , FDocuments(std::move(Documents))
    , FAssignments(std::move(Assignments))
{
}

void TNewProjectCommand::Run()
{
    TProjectManager& Manager = ProjectManager();
    Manager.NewProject(QString());
    TProject& Project = Manager.GetActiveProject();
    for (const QString& Document : FDocuments) {
        TDocumentItem* Item = Project.AddDocumentItem(std::make_unique<TDocumentItem>());
        Item->LoadAttributes(true);
        Item->SetSourceFileName(QFileInfo(Document).absoluteFilePath());
    }

    for (const QString& Assignment : FAssignments) {
        const qsizetype Equals = Assignment.indexOf(QLatin1Char('='));
        if (Equals <= 0)
            throw EError(QStringLiteral("无效的设置 '%1'：应为 属性=值。").arg(Assignment));
        const QString Value = Assignment.mid(Equals + 1);
        const TPropertyInfo* Property = TDocumentItem::StaticClass().FindProperty(Assignment.left(Equals).trimmed());
        if (!Property || Property->IsHidden() || Property->Kind == TPropertyKind::ObjectList)
            throw EError(QStringLiteral("未知的属性 '%1'。").arg(Assignment.left(Equals).trimmed()));
        for (const std::unique_ptr<TDocumentItem>& Item : Project.DocumentItems()) {
            const QString Message = Item->Validate(Property->Name, Value);
            if (!Message.isEmpty())
                throw EError(Message);
            TRTTI::SetPropertyValue(Item.get(), Property->Name, Value);
        }
    }
    Manager.SaveProject(FProjectFileName);
}
