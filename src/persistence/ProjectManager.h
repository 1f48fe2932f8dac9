#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

class TPersistent;
class TProject;

// Owns the one open project of the program: creates, opens and saves it, and tells
// its single listener (the main window) after every successful replacement or save.
// Interface thread only.
class TProjectManager
{
public:
    using TChangeEvent = std::function<void(TProjectManager& Sender)>;

    TProjectManager();
    ~TProjectManager();
    TProjectManager(const TProjectManager&) = delete;
    TProjectManager& operator=(const TProjectManager&) = delete;

    // The open project, or nullptr; for code that only asks whether one is open.
    TProject* ActiveProject() const { return FActiveProject.get(); }
    // The open project; raises "没有激活项目。" when there is none.
    TProject& GetActiveProject() const;

    // A new, empty project named FileName (empty for an unsaved one).
    void NewProject(const QString& FileName);
    // Reads the project file; on failure the previous project stays active and the
    // listener hears nothing. The error names the file.
    void OpenProject(const QString& FileName);
    // The same from the file's bytes already in memory; FileName names the project.
    void OpenProject(const QString& FileName, const QByteArray& Content);
    // Writes the active project to FileName; on failure the previous file, the
    // project's FileName and the listener are left as they were.
    void SaveProject(const QString& FileName);

    void SetOnChange(TChangeEvent Handler) { FOnChange = std::move(Handler); }
    const TChangeEvent& OnChange() const { return FOnChange; }

private:
    void Open(const QString& FileName, const std::function<std::unique_ptr<TPersistent>()>& Read);
    void Replace(std::unique_ptr<TProject> Project);
    void Notify();

    std::unique_ptr<TProject> FActiveProject;
    TChangeEvent FOnChange;
};

// The program's one project manager, created on first use and freed at exit.
TProjectManager& ProjectManager();
