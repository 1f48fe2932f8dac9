#pragma once

#include <QString>
#include <QStringList>

// "new": a project with one document item per document, set up the way the documents
// page adds documents (attribute-file defaults, then the source file name), then the
// --set assignments in the order given, each validated first.
class TNewProjectCommand
{
public:
    TNewProjectCommand(QString ProjectFileName, QStringList Documents, QStringList Assignments);
    // Throws EError with the message to show; writes no file then.
    void Run();

private:
    QString FProjectFileName;
    QStringList FDocuments;
    QStringList FAssignments;
};
