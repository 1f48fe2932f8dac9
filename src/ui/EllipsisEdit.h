#pragma once

#include <QLineEdit>

class QToolButton;

// The value editor of a property edited through a dialog: a line edit (typed text is
// taken as it is) with a "…" button at its right end. The button takes no focus, so
// pressing it does not count as leaving the cell.
class TEllipsisEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit TEllipsisEdit(QWidget* Parent);

    QToolButton* Button() const { return FButton; }

signals:
    void ButtonClicked();

protected:
    void resizeEvent(QResizeEvent* Event) override;

private:
    int ButtonWidth() const;

    QToolButton* FButton;
};
