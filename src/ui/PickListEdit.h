#pragma once

#include <QComboBox>
#include <QStringList>

// The value editor of a property with a pick list: an editable combo box that takes
// typed text as it is (no completion, nothing added to the list) and remembers whether
// the user changed its text, by typing or by picking an entry.
class TPickListEdit : public QComboBox
{
    Q_OBJECT

public:
    TPickListEdit(const QStringList& Items, QWidget* Parent);

    QString Text() const { return currentText(); }
    // Shows Text as the cell's value; the editor counts as unchanged afterwards.
    void SetText(const QString& Text);
    bool Modified() const;
    void SetModified(bool Value);

private:
    bool FPicked = false;
};
