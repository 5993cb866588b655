#include "Formvantrelmain.h"

namespace {
const char* const WindowCaption = "Orbek Vantrel";
}

TfrmVantrelMain::TfrmVantrelMain(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QString::fromUtf8(WindowCaption));
    resize(640, 480);
}
