#pragma once

#include <QString>

// "generate": runs the generation run on a project exactly as the Start button does,
// with progress on standard error, and saves the project with its title records.
// Ctrl+C stops the run as the Stop button does.
class TGenerateCommand
{
public:
    explicit TGenerateCommand(QString ProjectFileName);
    // Returns the process exit code; errors are printed to standard error.
    int Run();

private:
    QString FProjectFileName;
};
