#pragma once

#include <QDialog>

class QToolButton;

// The start dialog: offers a new or an existing project. exec() returns ResultNewProject,
// ResultOpenProject, or QDialog::Rejected when the close box was used.
class TFoOperation : public QDialog
{
    Q_OBJECT

public:
    // The yes and no results of the forms' modal result numbering.
    static constexpr int ResultNewProject = 6;
    static constexpr int ResultOpenProject = 7;

    explicit TFoOperation(QWidget* Parent = nullptr);

    QToolButton* btNewProject() const { return FNewProject; }
    QToolButton* btOpenProject() const { return FOpenProject; }

private:
    QToolButton* FNewProject;
    QToolButton* FOpenProject;
};
