#include "EllipsisEdit.h"

#include <QStyle>
#include <QToolButton>

TEllipsisEdit::TEllipsisEdit(QWidget* Parent)
    : QLineEdit(Parent)
    , FButton(new QToolButton(this))
{
    setFrame(false);
    FButton->setObjectName(QStringLiteral("btEllipsis"));
    FButton->setText(QStringLiteral("…"));
    FButton->setFocusPolicy(Qt::NoFocus);
    FButton->setCursor(Qt::ArrowCursor);
    setTextMargins(0, 0, ButtonWidth(), 0);
    connect(FButton, &QToolButton::clicked, this, &TEllipsisEdit::ButtonClicked);
}

int TEllipsisEdit::ButtonWidth() const
{
    // As wide as a scroll bar is thick, the size of a grid's drop-down button.
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

void TEllipsisEdit::resizeEvent(QResizeEvent* Event)
{
    QLineEdit::resizeEvent(Event);
    const int Width = ButtonWidth();
    FButton->setGeometry(width() - Width, 0, Width, height());
}
