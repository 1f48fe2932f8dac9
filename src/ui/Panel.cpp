#include "Panel.h"

#include <QPalette>
#include <QWidget>

QWidget* MakePanel(QWidget* Parent, const QString& Name, const QColor& Color)
{
    auto* Panel = new QWidget(Parent);
    Panel->setObjectName(Name);
    QPalette Colors = Panel->palette();
    Colors.setColor(QPalette::Window, Color);
    Panel->setPalette(Colors);
    Panel->setAutoFillBackground(true);
    return Panel;
}
