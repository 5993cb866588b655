#pragma once

#include <QMainWindow>

#include "Tsettings.h"

// The program's one main window.
class TfrmVantrelMain : public QMainWindow {
    Q_OBJECT

public:
    explicit TfrmVantrelMain(QWidget* parent = nullptr);

    // Loaded when the window is made; saved when it goes, if autosave is on.
    TSettings Settings;
};
