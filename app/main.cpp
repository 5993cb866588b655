#include <string>
#include <vector>

#include <QApplication>
#include <QStringList>

#include "app/ApplicationSetup.h"
#include "app/Formvantrelmain.h"
#include "settings/Tsettings.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    SetUpApplication(application);
    TfrmVantrelMain window(
        SettingsPathFor(QCoreApplication::applicationFilePath().toStdString(), UserConfigFolder()));
    window.show();

    // Paths on the command line (and from the desktop entry) are added as a drop would add them.
    std::vector<std::string> paths;
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        paths.push_back(arguments[i].toStdString());
    window.AddDroppedPaths(paths);
    return QApplication::exec();
}
