#pragma once

#include <QColor>
#include <QString>

class QWidget;

// A plain panel filled with one colour, named for tests and style: the forms' panels.
QWidget* MakePanel(QWidget* Parent, const QString& Name, const QColor& Color);
