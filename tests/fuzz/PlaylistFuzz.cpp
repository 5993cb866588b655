// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the playlist reader and the sort and duplicate pass after it: the input is the
// playlist's bytes, the first byte picks the collection type and how questions are answered.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "collection/Tdatamanager.h"
#include "platform/IconList.h"
#include "platform/InMemoryListView.h"
#include "platform/LoopUiThread.h"
#include "platform/Prompter.h"
#include "tests/doubles/HostDoubles.h"

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// Answers from a small pattern so that every path through the questions gets taken.
class PatternPrompter : public Prompter {
public:
    explicit PatternPrompter(std::uint8_t pattern) : Pattern(pattern) {}

    Answer Ask(const Question& question) override {
        const std::vector<Answer>& answers = question.Answers;
        Check(!answers.empty());
        if (answers.size() == 1)
            return answers.front();  // a notice
        const std::size_t pick = (Pattern >> (2 * (Count++ % 4))) % (answers.size() + 1);
        // One choice beyond the answers: the close box, which answers Cancel.
        return pick < answers.size() ? answers[pick] : Answer::Cancel;
    }

private:
    std::uint8_t Pattern;
    unsigned Count = 0;
};

// A folder with a few files the playlists can name, made once per process.
const std::string& Playground() {
    static const std::string folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vantrel-fuzz-XXXXXX").string();
        Check(::mkdtemp(pattern.data()) != nullptr);
        for (const char* name : {"a.mp3", "B.mp3", "b.mp3", "sub/c.mp3", "Track01.cda"}) {
            const std::filesystem::path path = std::filesystem::path(pattern) / name;
            std::filesystem::create_directories(path.parent_path());
            std::ofstream(path) << name;
        }
        std::filesystem::create_directories(std::filesystem::path(pattern) / "folder");
        return pattern;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::string& folder = Playground();
    const std::string playlist = folder + "/fuzz.m3u";
    {
        std::ofstream out(playlist, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    const std::filesystem::path before = std::filesystem::current_path();

    const auto collectionType = static_cast<CollectionKind>(data[0] & 1);
    InMemoryListView collection;
    InMemoryListView medium(true);
    PatternPrompter prompter(static_cast<std::uint8_t>(data[0] >> 1));
    LoopUiThread ui;
    CountingDivisionListener listener;
    RecordingFileOperations fileOperations;
    PlainIconList icons;
    TDataManager manager(collection, medium,
                         TDataManagerHost{prompter, ui, listener, fileOperations, icons});
    manager.SetCollectionType(collectionType);
    manager.AddItems({playlist, playlist}, AddFromPlaylist);

    Check(std::filesystem::current_path() == before);
    std::uint64_t sum = 0;
    const TColItem* previous = nullptr;
    std::size_t row = 0;
    for (const TColItem& item : manager.GetItems()) {
        sum += item.Size;
        Check(item.Position != nullptr && &**item.Position == &item);
        Check(collection.RowData(row++) == item.Position.get());
        Check(previous == nullptr || previous->Path != item.Path);
        previous = &item;
    }
    Check(row == collection.RowCount());
    Check(sum == manager.GetTotalSize());
    if (!manager.GetItemsAreFiles())
        Check(collectionType == 1);
    (void)manager.ValueText(manager.GetTotalSize());
    (void)manager.EstimateMediaCount(1 + manager.GetTotalSize() / 3, 200);
    return 0;
}
