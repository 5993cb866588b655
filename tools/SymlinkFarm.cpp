// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/SymlinkFarm.h"

#include <filesystem>
#include <set>
#include <system_error>

#include "platform/AtomicFile.h"
#include "platform/Utf8Path.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* CannotLinkText = "cannot make the link \"";
constexpr const char* CannotMakeFolderText = "cannot make the folder \"";

// The path a link should point to: absolute, so that it holds from inside the medium folder.
fs::path TargetOf(const std::string& path) {
    std::error_code error;
    const fs::path absolute = fs::absolute(Utf8Path(path), error);
    return error ? Utf8Path(path) : absolute.lexically_normal();
}

// Puts a link to target under link's name in one rename, replacing the file or link there.
bool ReplaceWithLink(const fs::path& link, const fs::path& target, std::error_code& error) {
    // The temporary name every writer of the program uses: an interrupted run's link is removed
    // by the next run into the folder.
    const fs::path temporary = Utf8Path(PartialFilePattern(Utf8Text(link)));
    fs::remove(temporary, error);
    fs::create_symlink(target, temporary, error);
    if (error)
        return false;
    fs::rename(temporary, link, error);
    if (!error)
        return true;
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return false;
}

}  // namespace

std::vector<LinkedMedium> MakeSymlinkFarm(const std::vector<TMedium>& media,
                                          const std::string& prefix, ToolPrompter& prompter,
                                          ToolAnswers::Clash clashes,
                                          const std::function<bool()>& interrupted) {
    std::vector<LinkedMedium> done;
    for (std::size_t i = 0; i < media.size(); ++i) {
        LinkedMedium medium{prefix + std::to_string(i + 1), 0, true};
        std::error_code error;
        fs::create_directories(Utf8Path(medium.Folder), error);
        if (error) {
            prompter.Fail(CannotMakeFolderText + medium.Folder + "\": " + error.message());
            medium.Complete = false;
            done.push_back(medium);
            continue;
        }
        RemovePartialFiles(medium.Folder);
        std::set<std::string> made;
        for (const TConstItemPosition& item : media[i]) {
            if (interrupted()) {
                medium.Complete = false;
                done.push_back(medium);
                return done;
            }
            const fs::path link = Utf8Path(medium.Folder) / Utf8Path(item->Name);
            const fs::path target = TargetOf(item->Path);
            const std::string shown = Utf8Text(link);
            if (!made.insert(item->Name).second) {
                prompter.Fail(CannotLinkText + shown +
                              "\": another item of the medium has "
                              "this name");
                medium.Complete = false;
                continue;
            }
            const fs::file_status status = fs::symlink_status(link, error);
            bool placed = false;
            if (!fs::exists(status)) {
                fs::create_symlink(target, link, error);
                placed = !error;
            } else if (fs::is_symlink(status) && fs::read_symlink(link, error) == target) {
                placed = true;
            } else if (fs::is_directory(status)) {
                error = std::make_error_code(std::errc::is_a_directory);
            } else if (clashes == ToolAnswers::Clash::Yes) {
                placed = ReplaceWithLink(link, target, error);
                if (placed)
                    prompter.Decide("clash", shown + " already exists", "replaced");
            } else {
                prompter.Decide("clash", shown + " already exists", "kept");
                medium.Complete = false;
                continue;
            }
            if (placed) {
                ++medium.Links;
            } else {
                prompter.Fail(CannotLinkText + shown + "\": " + error.message());
                medium.Complete = false;
            }
        }
        done.push_back(medium);
    }
    return done;
}
