#include "PickListEdit.h"

#include <QLineEdit>

namespace {

// Rows a dropped-down list shows before it scrolls.
constexpr int VisibleItems = 25;

} // namespace

TPickListEdit::TPickListEdit(const QStringList& Items, QWidget* Parent)
    : QComboBox(Parent)
{
    setEditable(true);
    setFrame(false);
    // Completion would turn a typed "2" into "20" of the font-size list.
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(VisibleItems);
    addItems(Items);
    connect(this, &QComboBox::activated, this, [this] { FPicked = true; });
}

void TPickListEdit::SetText(const QString& Text)
{
    setCurrentIndex(findText(Text, Qt::MatchExactly | Qt::MatchCaseSensitive));
    if (currentText() != Text)
        setEditText(Text);
    SetModified(false);
}

bool TPickListEdit::Modified() const
{
    return FPicked || lineEdit()->isModified();
}

void TPickListEdit::SetModified(bool Value)
{
    FPicked = Value;
    lineEdit()->setModified(Value);
}
