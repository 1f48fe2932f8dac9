#pragma once

#include <QString>

#include <cstdio>
#include <vector>

class TDocumentItem;

// "generate": runs the generation run on a project exactly as the Start button does,
// with progress and messages on Messages (standard error in the tool), and saves the
// project with its title records. Fonts that are not installed are named before the
// run, and a summary of the titles written follows it. Ctrl+C stops the run as the
// Stop button does; one that comes before the run has started (while the project
// opens) ends the command with its message, having written nothing.
class TGenerateCommand
{
public:
    explicit TGenerateCommand(QString ProjectFileName, std::FILE* Messages = stderr);
    // Returns the process exit code; errors are printed to Messages. Runs the
    // application's event loop while the run goes on.
    int Run();

private:
    void PrintMessage(const QString& Message) const;
    // One line for each font that the run measures with a substitute, before it starts.
    void WarnOfMissingFonts(const std::vector<TDocumentItem*>& Items) const;

    QString FProjectFileName;
    std::FILE* FMessages;
};
