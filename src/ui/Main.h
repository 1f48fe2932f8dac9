#pragma once

#include <QMainWindow>

// The main window. Until the editor pages are in, it shows an empty frame captioned
// with the application title.
class TFoMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit TFoMain(QWidget* Parent = nullptr);
};
