#pragma once

#include <QMainWindow>

// The program's one main window.
class TfrmVantrelMain : public QMainWindow {
    Q_OBJECT

public:
    explicit TfrmVantrelMain(QWidget* parent = nullptr);
};
