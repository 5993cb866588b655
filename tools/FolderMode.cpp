#include "tools/FolderMode.h"

#include <ostream>

#include "collection/Tdatamanager.h"
#include "divide/LowBound.h"
#include "items/DivisionListener.h"
#include "platform/FileOperation.h"
#include "platform/FileSystem.h"
#include "platform/IconList.h"
#include "platform/InMemoryListView.h"
#include "platform/LoopUiThread.h"
#include "platform/Prompter.h"

namespace {

const char* const MediumCaption = "Носитель ";

// Settles the fit questions without asking: oversized folders are replaced by their contents,
// oversized files are left out. Every decision is written to the error stream.
class DecidingPrompter : public Prompter {
public:
    explicit DecidingPrompter(std::ostream& err) : Err(err) {}

    PromptButton MessageBox(const std::string& text, PromptIcon, const std::vector<PromptButton>&,
                            PromptButton) override {
        Err << "vantrel-divide: " << text << '\n';
        return PromptButton::Ok;
    }

    PromptButton MessageDialog(DialogKind, const std::string& text,
                               const std::vector<PromptButton>&, PromptButton) override {
        Err << "vantrel-divide: " << FirstLine(text) << " -> excluded\n";
        return PromptButton::Yes;
    }

    DirTooBigAnswer AskDirTooBig(const std::string& message) override {
        Err << "vantrel-divide: " << message << " -> expanded\n";
        return DirTooBigAnswer::Expand;
    }

private:
    static std::string FirstLine(const std::string& text) {
        return text.substr(0, text.find('\n'));
    }

    std::ostream& Err;
};

// Prints every medium as it is delivered, the way the results page lists it.
class PrintingListener : public DivisionListener {
public:
    PrintingListener(TDataManager*& manager, std::ostream& out) : Manager(manager), Out(out) {}

    void addResultMedium() override {
        const TMedium& medium = Manager->GetMedia().back();
        std::uint64_t sum = 0;
        for (const auto& item : medium)
            sum += item->Size;
        Out << MediumCaption << Manager->GetMedia().size() << '\t' << Manager->ValueText(sum)
            << '\n';
        for (const auto& item : medium)
            Out << '\t' << item->Path << '\n';
        Out << std::flush;
    }
    void ShowDivisionProgress(std::int32_t, std::uint32_t, std::uint64_t, std::uint32_t) override {}
    void DivisionEnded() override { Ended = true; }

    bool Ended = false;

private:
    TDataManager*& Manager;
    std::ostream& Out;
};

// The tool never copies or moves anything.
class NoFileOperations : public FileOperationService {
public:
    bool Run(FileOperationKind, const std::vector<FileOperationSource>&, const std::string&,
             const std::string&) override {
        return false;
    }
};

}  // namespace

int RunFolders(const FolderOptions& options, std::ostream& out, std::ostream& err) {
    for (const std::string& path : options.Paths) {
        if (!ReadPathAttributes(path)) {
            err << "vantrel-divide: no such file or folder: \"" << path << "\"\n";
            return 2;
        }
    }
    InMemoryListView collectionView;
    InMemoryListView mediumView(true);
    DecidingPrompter prompter(err);
    LoopUiThread uiThread;
    TDataManager* manager = nullptr;
    PrintingListener listener(manager, out);
    NoFileOperations fileOperations;
    PlainIconList icons;
    TDataManager dataManager(collectionView, mediumView,
                             TDataManagerHost{prompter, uiThread, listener, fileOperations, icons});
    manager = &dataManager;

    for (const std::string& path : options.Paths) {
        // A folder brings everything in it; a file given by name is taken as it is.
        const bool folder = ReadPathAttributes(path)->Directory;
        dataManager.AddItems({path}, folder ? AddFromFolder : AddFiles);
    }
    const std::uint64_t lowBound = LowBoundOf(options.Capacity, options.Tolerance);
    if (!dataManager.PrepareDivision(options.Capacity, lowBound, 0)) {
        err << "vantrel-divide: nothing to divide\n";
        return 0;
    }
    uiThread.PumpUntil([&] { return listener.Ended; });
    dataManager.DivisionFinished();
    return 0;
}
