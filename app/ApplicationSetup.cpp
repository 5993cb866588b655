// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ApplicationSetup.h"

#include <QApplication>

#include "resources/VantrelIcons.h"
#include "ui/QtPrompter.h"

void SetUpApplication() {
    // Only the name, no display name: Qt would add a display name to every title that does not
    // end with it, so "Vantrel - Предупреждение" would carry the program's name twice.
    QApplication::setApplicationName(QString::fromUtf8(ApplicationTitle));
    QApplication::setWindowIcon(VantrelIcons::Application());
    // Ties the windows to the desktop entry and its icon where the desktop asks (Wayland).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vantrel.Vantrel"));
}
