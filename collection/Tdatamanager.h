// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "divide/DivisionMethod.h"
#include "items/CollectionKind.h"
#include "items/Collectionitems.h"
#include "platform/FileOperation.h"
#include "platform/Prompter.h"
#include "platform/TextLanguage.h"
#include "platform/TreeWalker.h"

class ListView;
class Prompter;
class UiThread;
class DivisionListener;
class FileOperationService;
class FileOperationProgress;
class IconList;
class TDivideThread;
class TWinamp;
struct PlaylistEntry;
enum class QuestionKind;

// The add methods: the tags of the window's add commands.
enum AddMethod : int {
    AddFiles = 0,
    AddFolder = 1,
    AddFromFolder = 2,
    AddFromPlaylist = 3,
    AddFromWinamp = 4,
};

// What processing the media of a result achieved.
struct TProcessedMedia {
    std::size_t Done = 0;    // media whose every item (or whose list) arrived whole
    std::size_t Failed = 0;  // media a failure kept from arriving whole
    // The user ended the run (Cancel, or No to a folder that is not empty): the medium at which
    // it stopped counts neither as done nor as failed, and later media are left alone.
    bool Stopped = false;
    // The files a list writer wrote, in order (a playlist that needed Unicode is a ".m3u8").
    std::vector<std::string> Files;
};

// The columns of the collection's list view, in order; the medium's list has the first two.
enum ListColumn : int {
    NameColumn = 0,
    LengthColumn = 1,
    GroupColumn = 2,
};

// What the data manager needs of the program around it, besides its two list views.
struct TDataManagerHost {
    Prompter& prompter;
    UiThread& uiThread;                  // the division thread's synchronous steps
    DivisionListener& divisionListener;  // the window's side of a division
    FileOperationService& fileOperations;
    IconList& icons;  // the small-icon list both list views show
};

// The medium as an extended M3U playlist (the lines of a playlist the results are saved as).
std::string MediumPlaylist(const TMedium& medium);

// The one owner of the collection and of a division's result. Operations are spread over
// several source files by concern: Tdatamanager.cpp (the collection and its list views),
// Tdatamanager_playlist.cpp, Tdatamanager_division.cpp, Tdatamanager_lists.cpp,
// Tdatamanager_collect.cpp, Tdatamanager_image.cpp and Tdatamanager_winamp.cpp.
class TDataManager {
public:
    // A files collection until the window tells the type with SetCollectionType.
    TDataManager(ListView& collectionView, ListView& mediumView, const TDataManagerHost& host);
    ~TDataManager();
    TDataManager(const TDataManager&) = delete;
    TDataManager& operator=(const TDataManager&) = delete;

    // The window's current collection type: it decides how items are added and sizes shown.
    void SetCollectionType(CollectionKind type) { CollectionType = type; }
    CollectionKind GetCollectionType() const { return CollectionType; }
    // The language of the value texts shown and written into list files (Russian until told).
    void SetTextLanguage(TextLanguage language) { Language = language; }

    // Whether hidden entries inside folders are counted, and so copied, moved and written into
    // images (off: they are left out everywhere, as a folder's size leaves them out). A change
    // measures the files and folders of the collection again and forgets the division's result,
    // whose totals no longer hold. Nothing changes while a division runs.
    void SetCountHidden(bool count);
    bool GetCountHidden() const { return Tree.CountHidden; }

    // The collection and its list views.
    void AddItems(const std::vector<std::string>& paths, int method);
    void RemoveSelected();
    void SetGroupOfSelected(std::uint32_t group);
    void ShowCollection();
    std::string ShowMedium(std::size_t medium);
    std::string ValueText(std::uint64_t value) const;
    std::string SelectionText() const;
    void LocateItem(const TItemPosition* cell);
    std::int32_t EstimateMediaCount(std::uint64_t capacity, std::uint32_t pause) const;

    // Reads one extended M3U playlist into the collection (no sort, no refresh).
    void LoadPlaylist(const std::string& playlist, CollectionKind kind);

    // The division: fit checks, units, the worker.
    // With discFootprint each item counts as what it takes on a disc image (files collections),
    // and every medium keeps room for the image's own structures.
    bool PrepareDivision(std::uint64_t capacity, std::uint64_t lowBound, std::uint32_t songPause,
                         bool discFootprint = false);
    void StopDivision();
    // Remembers the position (0-6) for every later division and moves a running one to it as
    // far as the system allows. Returns the position in force (or that a division would get
    // now): the wanted one, or the strongest weaker one the system grants.
    int SetDivisionPriority(int position);
    // Every later division takes the best found so far once one medium's search has run this
    // long (0, the default: never).
    void SetMediumTimeLimit(std::chrono::steady_clock::duration limit) { MediumTimeLimit = limit; }
    // The remembered position of the priority control; every start of the program begins at
    // normal (3).
    int GetDivisionPriority() const { return DivisionPriority; }
    // The way every later division divides.
    void SetDivisionMethod(DivisionMethod method) { Method = method; }
    // Called by the window's end-of-division handler: forgets and releases the ended thread.
    void DivisionFinished();
    // After a fewest-media division that placed everything: the fewest media any division can
    // use; 0 for the other way, a stopped division and before the first.
    std::uint32_t GetMediaLowerBound() const { return MediaLowerBound; }
    // Asks the running division to take the best combination found so far for its medium.
    void TakeBestMedium();
    // Asks the running division to report its progress (ShowDivisionProgress with medium -1).
    void RequestDivisionProgress();
    // The total at which a medium of the capacity is full enough for the tolerance (percent).
    static std::uint64_t LowBoundOf(std::uint64_t capacity, float tolerance);

    // Results processing. Each says how many media were done whole and how many failed, and
    // whether the user stopped the run. The writers stop at the first file they cannot write;
    // the collector at a cancel, at a "No" to a folder that is not empty, and at a failure every
    // later medium would meet too (the base folder takes no new entries, a list not written).
    TProcessedMedia SaveTextLists(int index, const std::string& prefix);
    TProcessedMedia SavePlaylists(int index, const std::string& prefix);
    // With ChecksumLists::Written, a copy also writes prefix + number + ".sha256" beside each
    // medium's folder: the SHA-256 of every file in it (see ChecksumList.h), as `sha256sum -c`
    // reads it; a medium folder left without files gets no list.
    enum class ChecksumLists { None, Written };
    TProcessedMedia CollectFiles(int index, const std::string& prefix, FileOperationKind kind,
                                 ChecksumLists checksums = ChecksumLists::None);
    // Writes one ISO image per medium, prefix + number + ".iso"; stops at a cancel, goes on after
    // a failure. A medium whose image failed or lacks a source the user left out is not done.
    // An image larger than capacity is kept, and the user is told it will not fit.
    TProcessedMedia MakeImages(int index, const std::string& prefix, std::uint64_t capacity,
                               FileOperationProgress& progress);
    // What the medium's image takes at most: the items' footprints and the image's structures.
    std::uint64_t MediumFootprint(std::size_t medium) const;
    // Makes the medium's tracks, in order, the player's new playlist.
    void SendMediumToWinamp(std::size_t index, TWinamp& winamp);

    // What only the data manager changes, for reading. The collection changes only through the
    // operations above, and none of them changes it while a division runs (GetThread() set).
    const TColItems& GetItems() const { return Items; }
    // The sum of the items' sizes, or the largest value when it is beyond it.
    std::uint64_t GetTotalSize() const { return TotalSize.Saturated(); }
    bool GetItemsAreFiles() const { return ItemsAreFiles; }
    const std::vector<TMedium>& GetMedia() const { return Media; }
    // The media [first, last) an operation on index covers: all of them for a negative index,
    // else the one shown medium; an index past the last medium covers none.
    std::pair<std::size_t, std::size_t> MediaRange(int index) const;
    const std::vector<TColGroup>& GetGroups() const { return Groups; }
    // The running division, or null; non-null exactly while a division runs.
    TDivideThread* GetThread() const { return Thread.get(); }

    ListView& lstCollection;
    ListView& lstMedium;

private:
    friend struct TDataManagerTestAccess;  // tests: a result or an item state set up directly

    // Appends a free-standing item at the end of the collection with its own position cell.
    void AppendItem(TColItem item);
    void SortItemsByPath();
    // Takes an item out of the collection and its size out of the total.
    void RemoveItem(TConstItemPosition item);

    // PrepareDivision's two concerns: the units it builds and the fit checks it asks about.
    struct OversizeAnswers;
    enum class OversizeChoice { Expand, Exclude, Cancel };
    // Puts an item that fits, counted as size, into its own unit or its group's; false when the
    // group outgrows the capacity.
    bool AddToUnit(TItemPosition item, std::uint64_t size, std::uint64_t capacity,
                   std::map<std::uint32_t, TColGroup>& groups);
    // What becomes of an item larger than the medium: asked, or taken from an answer for all.
    OversizeChoice AskAboutOversizedItem(const TColItem& item, OversizeAnswers& answers);

    // LoadPlaylist's entries: each is added, skipped, or stops the load.
    struct PlaylistAnswers;
    enum class EntryChoice { Add, Skip, Stop };
    EntryChoice AddPlaylistEntry(PlaylistEntry& entry, const std::filesystem::path& folder,
                                 CollectionKind kind, PlaylistAnswers& answers);
    EntryChoice AskAboutDiscTrack(const std::string& name, PlaylistAnswers& answers);
    // Skip (asked, or skipAll already set) or stop at an entry the collection cannot take.
    EntryChoice AskToSkip(Question skip, bool& skipAll);

    CollectionKind CollectionType = FilesAndFolders;
    TreeRule Tree;  // what a folder's tree holds, for every measure and every writer
    TextLanguage Language = TextLanguage::Russian;
    TColItems Items;
    WideSum TotalSize;  // exact, so that removing items always leaves the right total
    bool ItemsAreFiles = true;
    std::vector<TMedium> Media;
    std::vector<TColGroup> Groups;
    std::unique_ptr<TDivideThread> Thread;
    TDataManagerHost Host;
    int DivisionPriority = 3;
    DivisionMethod Method = DivisionMethod::FillEachMedium;
    std::uint32_t MediaLowerBound = 0;
    std::chrono::steady_clock::duration MediumTimeLimit{0};
};
