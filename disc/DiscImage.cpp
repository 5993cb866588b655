// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/DiscImage.h"

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

// The burn_source interface libisofs hands the image out through, declared by libisofs itself.
#define LIBISOFS_WITHOUT_LIBBURN 1
#include <libisofs.h>

#include "disc/ImageFile.h"
#include "disc/ImageLimits.h"
#include "disc/LocalTree.h"
#include "platform/AtomicFile.h"
#include "platform/FileOperationProgress.h"
#include "platform/PathNames.h"
#include "platform/Prompter.h"
#include "platform/TreeWalker.h"

namespace {

// Bytes asked of libisofs at a time: large enough to write fast, small enough for the progress
// and a cancel to follow promptly. A multiple of the block size and of the alignment that writes
// past the system's cache need, and the buffer's alignment.
constexpr std::size_t Chunk = 2 * 1024 * 1024;
constexpr std::size_t DirectAlignment = 4096;
// libisofs produces the image ahead of its reader in a buffer of this many blocks (16 MiB).
constexpr int FifoBlocks = 8192;
// How long the reader sleeps while libisofs has less than a chunk ready.
constexpr std::chrono::milliseconds ReadyPoll{1};
// Files from this length on need ISO level 3, which stores them in several extents.
constexpr std::uint64_t LevelThreeLength = std::uint64_t{4} << 30;
// The Joliet volume descriptor keeps 16 characters of the name, the primary one 32.
constexpr std::size_t VolumeIdLength = 16;

using ImagePtr = std::unique_ptr<IsoImage, void (*)(IsoImage*)>;
using OptionsPtr = std::unique_ptr<IsoWriteOpts, void (*)(IsoWriteOpts*)>;

void InitLibrary() {
    static std::once_flag once;
    std::call_once(once, [] {
        iso_init();
        // Names are UTF-8 whatever the process's locale says, so the Joliet tree gets them right.
        char charset[] = "UTF-8";
        iso_set_local_charset(charset, 0);
        // Problems are collected for the report instead of printed. A file that cannot be read
        // stops the image rather than being left out of it or filled with zeros.
        char queue[] = "SORRY";
        char print[] = "NEVER";
        char id[] = "vantrel";
        iso_set_msgs_severities(queue, print, id);
        char abort[] = "SORRY";
        iso_set_abort_severity(abort);
    });
}

// The problems libisofs queued, one a line, emptying its queue; empty when there was none.
std::string TakeMessages() {
    std::string all;
    char minimum[] = "SORRY";
    int code = 0;
    int image = 0;
    char text[ISO_MSGS_MESSAGE_LEN] = {};
    char severity[80] = {};
    while (iso_obtain_msgs(minimum, &code, &image, text, severity) > 0) {
        if (all.find(text) == std::string::npos)
            all += (all.empty() ? "" : "\n") + std::string(text);
    }
    return all;
}

// What libisofs's messages tell: its known layout fault, or a failure in its own words.
Failure MessagesFailure(std::string messages) {
    const FailureReason why =
        IsKnownLayoutFault(messages) ? FailureReason::ImageLayoutFault : FailureReason::System;
    return {why, std::move(messages)};
}

Failure SystemFailure(int error) {
    return {FailureReason::System, std::generic_category().message(error)};
}

// What libisofs reported: its queued messages, else the text of its error code.
Failure Reason(int error) {
    if (error == static_cast<int>(ISO_NODE_NAME_NOT_UNIQUE))
        return {FailureReason::NameTaken, {}};
    if (error == static_cast<int>(ISO_FILE_ACCESS_DENIED))
        return SystemFailure(EACCES);
    if (error == static_cast<int>(ISO_FILE_DOESNT_EXIST))
        return SystemFailure(ENOENT);
    const std::string queued = TakeMessages();
    return MessagesFailure(queued.empty() ? std::string(iso_error_to_msg(error)) : queued);
}

ImagePtr NewImage(const std::string& volumeId) {
    IsoImage* image = nullptr;
    if (iso_image_new(volumeId.c_str(), &image) < 0)
        return ImagePtr(nullptr, iso_image_unref);
    // Links as links, no extended attributes or ACLs of this system; which entries the folders
    // hold is the tree walker's rule, as for a copy into the medium's folder.
    iso_tree_set_follow_symlinks(image, 0);
    iso_image_set_ignore_aclea(image, 1 | 2);
    return ImagePtr(image, iso_image_unref);
}

// Asked before each entry of a folder is added: a cancel ends the folder's addition.
int AddUnlessCancelled(IsoImage* image, IsoFileSource*) {
    const auto& cancelled =
        *static_cast<const std::function<bool()>*>(iso_image_get_attached_data(image));
    return cancelled() ? -1 : 1;
}

// The local path libisofs reads a source from: the source itself, or what a link given as the
// item stands for; nothing when that does not exist.
std::optional<std::string> LocalPath(const FileOperationSource& source) {
    const std::string path = WithoutTrailingDelimiter(source.Path);
    if (source.LinkItself)
        return path;
    return ResolveLocalPath(path);
}

bool IsLocalFolder(const std::string& path) {
    const std::optional<LocalEntry> entry = ReadLocalEntry(path);
    return entry && entry->Kind == LocalKind::Folder;
}

IsoDir* AsFolder(IsoNode* node) {
    return iso_node_get_type(node) == LIBISO_DIR ? reinterpret_cast<IsoDir*>(node) : nullptr;
}

// Whether the local folder merges into the image's folder as a copy merges it into a folder
// placed before: folders of the same name merge, any other entry of a name already there clashes.
bool MergesWithoutClash(IsoDir* folder, const std::string& local, TreeRule rule) {
    const auto listing = ListTreeFolder(local, rule);
    if (!listing)
        return true;  // adding it fails on its own
    for (const TreeEntry& entry : listing->Entries) {
        IsoNode* there = nullptr;
        if (iso_dir_get_node(folder, entry.Name.c_str(), &there) != 1)
            continue;
        if (AsFolder(there) == nullptr || entry.Kind != TreeEntryKind::Folder ||
            !MergesWithoutClash(AsFolder(there), JoinPath(local, entry.Name), rule))
            return false;
    }
    return true;
}

int AddEntry(IsoImage* image, IsoDir* folder, const std::string& name, const std::string& local,
             TreeRule rule, std::vector<IsoNode*>& added);

// Whether local is a link whose target cannot be read (on Windows every reparse point, which
// libisofs would follow): such a link fails its item rather than bring what it leads to into the
// image, beyond what the medium counted.
bool UnreadableLink(const std::string& local) {
    const std::optional<LocalEntry> entry = ReadLocalEntry(local);
    return entry && entry->Kind == LocalKind::Link && !ReadLocalLink(local);
}

// Adds the entries of the local folder that belong to its tree under the rule into the image's
// folder, and everything inside them; the nodes added to folders that were there before are
// appended to added. 1 on success or the libisofs error.
int AddFolderContents(IsoImage* image, IsoDir* folder, const std::string& local, TreeRule rule,
                      std::vector<IsoNode*>& added) {
    const auto listing = ListTreeFolder(local, rule);
    if (!listing)
        return static_cast<int>(ISO_FILE_ACCESS_DENIED);
    for (const TreeEntry& entry : listing->Entries) {
        if (AddUnlessCancelled(image, nullptr) < 0)
            return static_cast<int>(ISO_CANCELED);
        const std::string path = JoinPath(local, entry.Name);
        if (entry.Kind == TreeEntryKind::Link && UnreadableLink(path))
            return static_cast<int>(ISO_FILE_CANT_ADD);
        const int result = AddEntry(image, folder, entry.Name, path, rule, added);
        if (result < 0)
            return result;
    }
    return 1;
}

// Adds the entry name of the local folder (and everything inside it) into the image's folder,
// merging it into a folder of that name there; every node it adds to a folder that was there
// before is appended to added. 1 on success or the libisofs error.
int AddEntry(IsoImage* image, IsoDir* folder, const std::string& name, const std::string& local,
             TreeRule rule, std::vector<IsoNode*>& added) {
    IsoNode* there = nullptr;
    if (iso_dir_get_node(folder, name.c_str(), &there) == 1 && AsFolder(there) != nullptr)
        return AddFolderContents(image, AsFolder(there), local, rule, added);
    IsoNode* node = nullptr;
    const int result =
        iso_tree_add_new_node(image, folder, name.c_str(), IsoLocalPath(local).c_str(), &node);
    if (result < 0)
        return result;
    added.push_back(node);
    if (AsFolder(node) == nullptr)
        return 1;
    // What goes inside a new folder goes with it when it is removed.
    std::vector<IsoNode*> inside;
    return AddFolderContents(image, AsFolder(node), local, rule, inside);
}

// Adds one source at the root, read from local; 1 on success or the libisofs error. A folder of
// a name already at the root merges into it, as in a copy; any other name taken is a clash.
int AddSource(IsoImage* image, const FileOperationSource& source, const std::string& local,
              TreeRule rule) {
    const std::string name = LastComponent(WithoutTrailingDelimiter(source.Path));
    IsoDir* root = iso_image_get_root(image);
    IsoNode* there = nullptr;
    if (iso_dir_get_node(root, name.c_str(), &there) == 1 &&
        (AsFolder(there) == nullptr || !IsLocalFolder(local) ||
         !MergesWithoutClash(AsFolder(there), local, rule)))
        return static_cast<int>(ISO_NODE_NAME_NOT_UNIQUE);
    if (source.LinkItself && UnreadableLink(local))
        return static_cast<int>(ISO_FILE_CANT_ADD);
    std::vector<IsoNode*> added;
    const int result = AddEntry(image, root, name, local, rule, added);
    if (result < 0) {
        // What was added in part goes again: the image holds the source whole or not at all.
        for (auto node = added.rbegin(); node != added.rend(); ++node)
            iso_node_remove_tree(*node, nullptr);
        return result;
    }
    return 1;
}

// Builds the tree of the sources. skip(path, reason) decides on a source that cannot be added:
// true leaves it out, false gives up (no image). cancelled is asked before every file and folder
// added, so that a tree of many files gives up promptly; then there is no image either.
ImagePtr BuildTree(const std::vector<FileOperationSource>& sources, TreeRule rule,
                   const std::string& volumeId,
                   const std::function<bool(const std::string&, const Failure&)>& skip,
                   const std::function<bool()>& cancelled) {
    InitLibrary();
    TakeMessages();
    ImagePtr image = NewImage(volumeId);
    if (!image)
        return image;
    // Asked only while the sources are added, and let go of before the function goes.
    iso_image_attach_data(image.get(), const_cast<std::function<bool()>*>(&cancelled), nullptr);
    iso_tree_set_report_callback(image.get(), AddUnlessCancelled);
    bool keep = true;
    for (const FileOperationSource& source : sources) {
        if (cancelled()) {
            keep = false;
            break;
        }
        const std::optional<std::string> local = LocalPath(source);
        const std::optional<ImageLimitHit> beyond =
            local ? FirstEntryBeyondImageLimits(*local, rule) : std::nullopt;
        if (beyond) {
            if (!skip(WithoutTrailingDelimiter(source.Path), ImageLimitFailure(*beyond))) {
                keep = false;
                break;
            }
            continue;
        }
        const int result = local ? AddSource(image.get(), source, *local, rule)
                                 : static_cast<int>(ISO_FILE_DOESNT_EXIST);
        if (cancelled() ||
            (result < 0 && !skip(WithoutTrailingDelimiter(source.Path), Reason(result)))) {
            keep = false;
            break;
        }
    }
    iso_tree_set_report_callback(image.get(), nullptr);
    iso_image_attach_data(image.get(), nullptr, nullptr);
    return keep ? std::move(image) : ImagePtr(nullptr, iso_image_unref);
}

bool HoldsLargeFile(IsoDir* folder) {
    IsoDirIter* iterator = nullptr;
    if (iso_dir_get_children(folder, &iterator) < 0)
        return false;
    bool large = false;
    IsoNode* node = nullptr;
    while (!large && iso_dir_iter_next(iterator, &node) == 1) {
        if (iso_node_get_type(node) == LIBISO_FILE)
            large = static_cast<std::uint64_t>(
                        iso_file_get_size(reinterpret_cast<IsoFile*>(node))) >= LevelThreeLength;
        else if (iso_node_get_type(node) == LIBISO_DIR)
            large = HoldsLargeFile(reinterpret_cast<IsoDir*>(node));
    }
    iso_dir_iter_free(iterator);
    return large;
}

OptionsPtr NewOptions(IsoImage* image) {
    IsoWriteOpts* options = nullptr;
    if (iso_write_opts_new(&options, 0) < 0)
        return OptionsPtr(nullptr, iso_write_opts_free);
    iso_write_opts_set_iso_level(options, HoldsLargeFile(iso_image_get_root(image)) ? 3 : 2);
    iso_write_opts_set_rockridge(options, 1);
    iso_write_opts_set_joliet(options, 1);
    // Every file is visible on systems that read only Joliet: names of up to 103 characters, paths
    // of any length. The ISO 9660 tree keeps deep folders where they are instead of moving them;
    // systems that read Rock Ridge see the same tree either way.
    iso_write_opts_set_joliet_long_names(options, 1);
    iso_write_opts_set_joliet_longer_paths(options, 1);
    iso_write_opts_set_allow_deep_paths(options, 1);
    // The MD5 of the session and of every file; a file's checksum index is an AAIP attribute.
    iso_write_opts_set_aaip(options, 1);
    iso_write_opts_set_record_md5(options, 1, 1);
    iso_write_opts_set_fifo_size(options, FifoBlocks);
    return OptionsPtr(options, iso_write_opts_free);
}

// The image's byte stream, produced by libisofs's own thread; cancelled if not read to the end.
class ImageStream {
public:
    ImageStream(IsoImage* image, IsoWriteOpts* options) {
        if (iso_image_create_burn_source(image, options, &Source) < 0)
            Source = nullptr;
    }
    ~ImageStream() {
        if (Source == nullptr)
            return;
        if (!Ended)
            Source->cancel(Source);
        Source->free_data(Source);
        std::free(Source);
    }
    ImageStream(const ImageStream&) = delete;
    ImageStream& operator=(const ImageStream&) = delete;

    bool IsOpen() const { return Source != nullptr; }
    std::uint64_t Size() const { return static_cast<std::uint64_t>(Source->get_size(Source)); }
    // Whether size bytes can be read without waiting for libisofs, or it has stopped producing
    // (a read then tells how it ended).
    bool HasReady(std::size_t size) const {
        std::size_t capacity = 0;
        std::size_t room = 0;
        const int state = iso_ring_buffer_get_status(Source, &capacity, &room);
        constexpr int Active = 1;
        return state != Active || capacity - room >= std::min(size, capacity);
    }
    // Fills the buffer; false when libisofs failed.
    bool Read(unsigned char* buffer, std::size_t size) {
        return Source->read_xt(Source, buffer, static_cast<int>(size)) == static_cast<int>(size);
    }
    void End() { Ended = true; }

private:
    burn_source* Source = nullptr;
    bool Ended = false;
};

}  // namespace

std::string DiscVolumeId(const std::string& mediumName, std::size_t number) {
    const std::string digits = std::to_string(number);
    std::string id;
    for (const char c : mediumName) {
        const auto byte = static_cast<unsigned char>(c);
        // A character of several bytes becomes one underscore.
        if (byte >= 0x80 && (byte & 0xC0) == 0x80)
            continue;
        id += std::isalnum(byte) != 0 && byte < 0x80 ? static_cast<char>(std::toupper(byte)) : '_';
    }
    const std::size_t room = VolumeIdLength > digits.size() ? VolumeIdLength - digits.size() : 0;
    id.resize(std::min(id.size(), room));
    return id + digits;
}

std::optional<std::uint64_t> DiscImageSize(const std::vector<FileOperationSource>& sources,
                                           TreeRule rule) {
    const ImagePtr image = BuildTree(
        sources, rule, DiscVolumeId("", 1),
        [](const std::string&, const Failure&) { return false; }, [] { return false; });
    if (!image)
        return std::nullopt;
    const OptionsPtr options = NewOptions(image.get());
    if (!options)
        return std::nullopt;
    ImageStream stream(image.get(), options.get());
    if (!stream.IsOpen())
        return std::nullopt;
    return stream.Size();
}

namespace {

// Frees the buffer the image's chunks pass through, aligned for writes past the system's cache.
struct AlignedFree {
    void operator()(unsigned char* bytes) const {
        ::operator delete (bytes, std::align_val_t{DirectAlignment});
    }
};

// Waits until libisofs has size bytes of the image ready, so that its stream is read a chunk at a
// time: read as it comes, the reader would be woken for every block libisofs adds. False when the
// user cancelled meanwhile.
bool AwaitChunk(const ImageStream& stream, std::size_t size, FileOperationProgress& progress) {
    while (!stream.HasReady(size)) {
        if (progress.CancelRequested())
            return false;
        std::this_thread::sleep_for(ReadyPoll);
    }
    return true;
}

// How pouring the image's stream into its file ended: whole, cancelled, or failed.
struct Poured {
    bool Cancelled = false;
    std::optional<Failure> Problem;
};

Poured PourStream(ImageStream& stream, ImageFile& file, const std::string& imagePath,
                  FileOperationProgress& progress) {
    const std::uint64_t total = stream.Size();
    const std::unique_ptr<unsigned char, AlignedFree> buffer(static_cast<unsigned char*>(
        ::operator new (Chunk, std::align_val_t{DirectAlignment}, std::nothrow)));
    if (!buffer)
        return {false, SystemFailure(ENOMEM)};
    std::uint64_t done = 0;
    Poured poured;
    while (done < total) {
        const std::size_t size =
            static_cast<std::size_t>(std::min<std::uint64_t>(Chunk, total - done));
        if (!AwaitChunk(stream, size, progress)) {
            poured.Cancelled = true;
            break;
        }
        if (!stream.Read(buffer.get(), size)) {
            const std::string messages = TakeMessages();
            poured.Problem = messages.empty() ? Failure{FailureReason::ImageIncomplete, {}}
                                              : MessagesFailure(messages);
            break;
        }
        if (auto problem = file.Write(buffer.get(), size)) {
            poured.Problem = std::move(problem);
            break;
        }
        done += size;
        progress.Advanced(done, imagePath);
        if (progress.CancelRequested()) {
            poured.Cancelled = true;
            break;
        }
    }
    if (done == total)
        stream.End();
    if (!poured.Cancelled && !poured.Problem) {
        if (std::string problem = TakeMessages(); !problem.empty())
            poured.Problem = MessagesFailure(std::move(problem));
    }
    return poured;
}

// Builds the image's tree, asking whether to skip each source that cannot be added; no tree when
// the user stopped (cancelled) or libisofs failed.
ImagePtr BuildTreeAsking(const std::vector<FileOperationSource>& sources, TreeRule rule,
                         const std::string& imagePath, const std::string& volumeId,
                         Prompter& prompter, FileOperationProgress& progress, bool& cancelled,
                         std::size_t& leftOut) {
    return BuildTree(
        sources, rule, volumeId,
        [&](const std::string& path, const Failure& reason) {
            Question skip(QuestionKind::ImageEntryFailed, path, imagePath);
            skip.Reason = reason;
            skip.Answers = SkipOrCancel;
            skip.Default = Answer::Yes;
            cancelled = prompter.Ask(skip) != Answer::Yes;
            leftOut += cancelled ? 0 : 1;
            return !cancelled;
        },
        [&] {
            cancelled = cancelled || progress.CancelRequested();
            return cancelled;
        });
}

}  // namespace

DiscImageResult WriteDiscImage(const std::vector<FileOperationSource>& sources, TreeRule rule,
                               const std::string& imagePath, const std::string& volumeId,
                               const WorkTitle& progressTitle, Prompter& prompter,
                               FileOperationProgress& progress, FileOperationPart part) {
    DiscImageResult result;
    const auto failed = [&](const Failure& reason) {
        Question notWritten(QuestionKind::ImageNotWritten, imagePath);
        notWritten.Reason = reason;
        prompter.Ask(notWritten);
        result.State = DiscImageResult::Outcome::Failed;
        return result;
    };

    bool cancelled = false;
    const ImagePtr image = BuildTreeAsking(sources, rule, imagePath, volumeId, prompter, progress,
                                           cancelled, result.LeftOut);
    if (cancelled) {
        result.State = DiscImageResult::Outcome::Cancelled;
        return result;
    }
    if (!image)
        return failed(Reason(0));
    const OptionsPtr options = NewOptions(image.get());
    if (!options)
        return failed(Reason(0));

    RemovePartialFiles(ParentFolder(imagePath));
    ImageFile file(imagePath);
    if (file.OpenFailure())
        return failed(*file.OpenFailure());
    ImageStream stream(image.get(), options.get());
    if (!stream.IsOpen())
        return failed(Reason(0));
    const std::uint64_t total = stream.Size();
    progress.Started(progressTitle, total, part.Number, part.Count);
    const Poured poured = PourStream(stream, file, imagePath, progress);
    progress.Finished();
    if (poured.Cancelled) {
        result.State = DiscImageResult::Outcome::Cancelled;
        return result;
    }
    if (poured.Problem)
        return failed(*poured.Problem);

    if (auto problem = file.Commit())
        return failed(*problem);
    result.State = DiscImageResult::Outcome::Written;
    result.Size = total;
    return result;
}
