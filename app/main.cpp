#include <QApplication>

#include "Formvantrelmain.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantrel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Vantrel"));
    TfrmVantrelMain window;
    window.show();
    return QApplication::exec();
}
