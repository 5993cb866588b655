// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include <QString>

#include "platform/TextLanguage.h"

class HelpWindow;
class Prompter;

// The help pages of the program, one per topic.
namespace HelpTopic {
inline constexpr char Contents[] = "Property.html";
inline constexpr char Collection[] = "T_Collection.html";
inline constexpr char Division[] = "T_Divide.html";
inline constexpr char Results[] = "T_Result.html";
}  // namespace HelpTopic

// Opens the help pages from one folder in the program's help window, made on first use and kept
// for the next topic.
class HelpBook {
public:
    // The folder the installed program reads its help in this language from, relative to the
    // program's own file: the Russian pages in the help folder, the English in its "en" folder.
    static QString InstalledFolder(TextLanguage language);

    HelpBook(const QString& folder, Prompter& prompter);
    ~HelpBook();

    // What to do when a topic's page does not exist.
    enum class IfMissing {
        StayQuiet,  // nothing visible (F1)
        Tell        // a message with the page's full path
    };

    // Shows the topic's page (one of HelpTopic); false when the page does not exist.
    bool ShowTopic(const QString& topic, IfMissing ifMissing);

    // The full path of a topic's page.
    QString PagePath(const QString& topic) const;

    // The help window once a page has been shown, else null.
    HelpWindow* Window() const { return Viewer.get(); }

private:
    QString Folder;
    Prompter& Asker;
    std::unique_ptr<HelpWindow> Viewer;
};
