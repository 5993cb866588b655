// SPDX-License-Identifier: GPL-3.0-or-later
#include "divide/Dividethread.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <thread>

#include "items/DivisionListener.h"
#include "platform/LoopUiThread.h"
#include "platform/ThreadPriority.h"
#include "tests/doubles/NullHost.h"
#include "tests/doubles/WaitUntil.h"

namespace {

// A listener whose reactions a test can set, recording what it was told.
class ScriptedListener : public DivisionListener {
public:
    void addResultMedium() override {
        ++MediaAdded;
        if (OnMedium)
            OnMedium();
    }
    void ShowDivisionProgress(std::int32_t medium, std::uint32_t elements,
                              std::uint64_t combinations, std::uint32_t count) override {
        Reports.push_back({medium, elements, combinations, count});
        if (OnProgress)
            OnProgress();
    }
    void DivisionEnded() override { ++Ended; }

    struct Report {
        std::int32_t Estimate;
        std::uint32_t ElementCount;
        std::uint64_t CombinationCount;
        std::uint32_t UnitsLeft;
    };
    int MediaAdded = 0;
    int Ended = 0;
    std::vector<Report> Reports;
    std::function<void()> OnMedium;
    std::function<void()> OnProgress;
};

// Items of the given sizes, one unit each.
struct Units {
    explicit Units(const std::vector<std::uint64_t>& sizes) {
        for (std::size_t i = 0; i < sizes.size(); ++i)
            Items.emplace_back("item" + std::to_string(i), "/item" + std::to_string(i), -1,
                               sizes[i]);
        for (auto item = Items.cbegin(); item != Items.cend(); ++item) {
            TColGroup unit;
            unit.AddItem(item, 0);
            Groups.push_back(unit);
        }
    }
    std::vector<std::uint64_t> MediumSizes(const TMedium& medium) const {
        std::vector<std::uint64_t> sizes;
        for (const auto& item : medium)
            sizes.push_back(item->Size);
        return sizes;
    }
    std::vector<std::uint64_t> GroupSizes() const {
        std::vector<std::uint64_t> sizes;
        for (const auto& group : Groups)
            sizes.push_back(group.Size);
        return sizes;
    }

    TColItems Items;
    std::vector<TColGroup> Groups;
    std::vector<TMedium> Media;
};

struct DivisionRun {
    LoopUiThread Ui;
    ScriptedListener Listener;

    void UntilEnded() {
        Ui.PumpUntil([&] { return Listener.Ended > 0; });
    }
};

TEST(DivideThreadTest, NormalEndDeliversEveryMediumInOrder) {
    Units units({600, 500, 100, 90});
    DivisionRun run;
    TDivideThread thread({units.Groups, 700, 699, units.Media, run.Ui, run.Listener, 3});
    run.UntilEnded();
    EXPECT_EQ(run.Listener.Ended, 1);
    EXPECT_EQ(run.Listener.MediaAdded, 2);
    ASSERT_EQ(units.Media.size(), 2u);
    EXPECT_EQ(units.MediumSizes(units.Media[0]), (std::vector<std::uint64_t>{600, 100}));
    EXPECT_EQ(units.MediumSizes(units.Media[1]), (std::vector<std::uint64_t>{500, 90}));
    EXPECT_TRUE(units.Groups.empty());
}

// Even totals between a twelfth and an eighth of an odd capacity, tolerance 100 %: no medium ever
// reaches its low bound, about ten units fit on a medium in countless ways, and random totals
// share few partial sums, so every medium's search runs long.
std::vector<std::uint64_t> SlowUnits(int count) {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<std::uint64_t> half(41666667, 62500000);
    std::vector<std::uint64_t> sizes;
    for (int i = 0; i < count; ++i)
        sizes.push_back(2 * half(random));
    return sizes;
}
constexpr std::uint64_t SlowCapacity = 1000000001;

TEST(DivideThreadTest, StopBeforeTheFirstMediumDeliversNothing) {
    const std::vector<std::uint64_t> sizes = SlowUnits(250);
    Units units(sizes);
    DivisionRun run;
    TDivideThread thread(
        {units.Groups, SlowCapacity, SlowCapacity, units.Media, run.Ui, run.Listener, 3});
    for (int i = 0; i < 3; ++i)  // several stops in a row are harmless
        thread.Terminate();
    run.UntilEnded();
    EXPECT_EQ(run.Listener.Ended, 1);
    EXPECT_EQ(run.Listener.MediaAdded, 0);
    EXPECT_TRUE(units.Media.empty());
    EXPECT_EQ(units.GroupSizes(), sizes);
}

TEST(DivideThreadTest, StopMidwayKeepsTheDeliveredMedia) {
    Units units({300, 300, 300, 350, 350});
    DivisionRun run;
    TDivideThread* running = nullptr;
    run.Listener.OnMedium = [&] { running->Terminate(); };
    TDivideThread thread({units.Groups, 700, 699, units.Media, run.Ui, run.Listener, 3});
    running = &thread;
    run.UntilEnded();
    ASSERT_EQ(units.Media.size(), 1u);
    EXPECT_EQ(units.MediumSizes(units.Media[0]), (std::vector<std::uint64_t>{350, 350}));
    EXPECT_EQ(units.GroupSizes(), (std::vector<std::uint64_t>{300, 300, 300}));
    EXPECT_EQ(run.Listener.Ended, 1);
}

TEST(DivideThreadTest, FailureEndsLikeAnyOtherEnd) {
    Units units({100, 800, 200});
    DivisionRun run;
    TDivideThread thread({units.Groups, 700, 699, units.Media, run.Ui, run.Listener, 3});
    run.UntilEnded();
    EXPECT_EQ(run.Listener.Ended, 1);
    ASSERT_EQ(units.Media.size(), 1u);
    EXPECT_EQ(units.GroupSizes(), (std::vector<std::uint64_t>{800}));
}

TEST(DivideThreadTest, FirstProgressReportShowsAnEvaluation) {
    Units units({300, 300, 300, 350, 350});
    DivisionRun run;
    TDivideThread thread({units.Groups, 700, 699, units.Media, run.Ui, run.Listener, 3});
    thread.RequestProgress();
    run.UntilEnded();
    ASSERT_FALSE(run.Listener.Reports.empty());
    // The request may be seen in the search of any medium, but always at an evaluation.
    const auto& first = run.Listener.Reports.front();
    EXPECT_EQ(first.Estimate, -1);
    EXPECT_GE(first.CombinationCount, 1u);
    EXPECT_GE(first.ElementCount, 1u);
    EXPECT_GE(first.UnitsLeft, 1u);
    EXPECT_LE(first.UnitsLeft, 5u);
}

TEST(DivideThreadTest, PriorityChangesWhileRunning) {
    Units units(SlowUnits(60));
    DivisionRun run;
    TDivideThread* running = nullptr;
    int reports = 0;
    run.Listener.OnProgress = [&] {
        running->SetPriority(reports % 7);
        if (++reports < 8)
            running->RequestProgress();
        else
            running->Terminate();
    };
    TDivideThread thread(
        {units.Groups, 1000000001, 1000000001, units.Media, run.Ui, run.Listener, 3});
    running = &thread;
    thread.RequestProgress();
    run.UntilEnded();
    EXPECT_EQ(run.Listener.Ended, 1);
}

TEST(DivideThreadTest, ReleasingAfterTheEndIsSafe) {
    Units units({400, 400, 400});
    DivisionRun run;
    auto thread = std::make_unique<TDivideThread>(
        TDivideThreadParams{units.Groups, 700, 699, units.Media, run.Ui, run.Listener, 3});
    run.UntilEnded();
    thread.reset();
    EXPECT_EQ(units.Media.size(), 3u);
}

struct DestroyCase {
    const char* State;
    std::vector<std::uint64_t> Sizes;
    std::uint64_t Capacity;
    bool RequestProgress;
    bool WaitForAStep;  // until the worker has queued a step for the user-interface thread
};

TEST(DivideThreadTest, DestroyingNeverWaitsForTheUserInterfaceThread) {
    const DestroyCase cases[] = {
        {"before the first medium", SlowUnits(250), SlowCapacity, false, false},
        {"waiting in a delivery", {600, 500, 100, 90}, 700, false, true},
        {"waiting in a progress report", SlowUnits(250), SlowCapacity, true, true},
        {"after the end notification was queued", {800}, 700, false, true},
    };
    for (const DestroyCase& c : cases) {
        SCOPED_TRACE(c.State);
        Units units(c.Sizes);
        DivisionRun run;
        auto thread = std::make_unique<TDivideThread>(TDivideThreadParams{
            units.Groups, c.Capacity, c.Capacity - 1, units.Media, run.Ui, run.Listener, 3});
        if (c.RequestProgress)
            thread->RequestProgress();
        if (c.WaitForAStep) {
            ASSERT_TRUE(WaitUntil([&] { return run.Ui.PendingSteps() > 0; }));
        }
        thread.reset();
        // What was queued for the destroyed thread does nothing when it runs at last.
        run.Ui.RunPending();
        EXPECT_EQ(run.Listener.Ended, 0);
        EXPECT_EQ(run.Listener.MediaAdded, 0);
        EXPECT_TRUE(run.Listener.Reports.empty());
        EXPECT_TRUE(units.Media.empty());
    }
}

// The search thread's position while it runs; checks the priority control end to end.
struct PriorityStep {
    int Wanted;
    int InForce;  // returned, and then found on the search thread
};

// Runs the steps on a slow division; returns a description of the first step that went wrong.
// The division is long (seconds per medium) and its deliveries are let through while waiting, so
// the search is running, not waiting for a delivery, whenever a step looks at it.
std::string RunPrioritySteps(const std::vector<PriorityStep>& steps) {
    Units units(SlowUnits(1000));
    DivisionRun run;
    TDivideThread thread(
        {units.Groups, SlowCapacity, SlowCapacity, units.Media, run.Ui, run.Listener, 3});
    for (const PriorityStep& step : steps) {
        const std::string name = std::to_string(step.Wanted) + ": ";
        const int inForce = thread.SetPriority(step.Wanted);
        if (inForce != step.InForce)
            return name + "in force " + std::to_string(inForce);
        if (!WaitUntil([&] {
                run.Ui.RunPending();
                return thread.WorkerPosition() == step.InForce;
            }))
            return name + "the search thread stays at " +
                   std::to_string(thread.WorkerPosition().value_or(-1));
    }
    thread.Terminate();
    return std::string();
}

TEST(DivideThreadTest, EveryPositionTakesEffectWhileRunning) {
    if (StrongestPositionAllowed(6) != 6)
        GTEST_SKIP() << "needs the privilege to raise priorities (CI runs as root)";
    EXPECT_EQ(RunPrioritySteps({{0, 0}, {3, 3}, {6, 6}, {1, 1}, {5, 5}, {2, 2}, {4, 4}, {3, 3}}),
              "");
}

// An ordinary user may lower a thread but never raise it: the search moves to a fresh thread to
// go back up, and positions above normal are refused and reported as normal. Run in a child
// process that drops every privilege, since the tests themselves may run as root.
TEST(DivideThreadTest, AnOrdinaryUserGoesBackUpAndIsToldWhatIsRefused) {
#ifdef _WIN32
    GTEST_SKIP() << "a POSIX rule: a process forked to give up the right to raise priorities";
#else
    std::fflush(nullptr);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // An ordinary user running the tests is one already; root becomes nobody.
        const rlimit noRaising{0, 0};
        const bool root = ::geteuid() == 0;
        if (::setrlimit(RLIMIT_NICE, &noRaising) != 0 ||
            (root && (::setgid(65534) != 0 || ::setuid(65534) != 0))) {
            std::fputs("cannot become an ordinary user\n", stderr);
            ::_exit(3);
        }
        std::string failure =
            RunPrioritySteps({{0, 0}, {3, 3}, {6, 3}, {1, 1}, {2, 2}, {0, 0}, {4, 3}, {3, 3}});
        DataManagerFixtureParts parts;
        TDataManager manager(parts.Collection, parts.Medium, parts.Host());
        if (failure.empty() && manager.SetDivisionPriority(5) != 3)
            failure = "the data manager reports a refused position as in force";
        if (failure.empty() && manager.GetDivisionPriority() != 5)
            failure = "the data manager forgets the wanted position";
        if (!failure.empty())
            std::fprintf(stderr, "%s\n", failure.c_str());
        ::_exit(failure.empty() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "see the child's message above";
#endif
}

}  // namespace

// The fewest-media way through the thread: a group stays one unit, the media come in order and
// the proven least is told. Catches the method not reaching the thread or the units split.
TEST(DivideThreadTest, FewestMediaKeepsGroupsTogether) {
    Units units({264, 115, 209, 686, 205, 325, 117});
    // 686 and 264 as one group of 950: the others, 971 in all, fill the second medium.
    TColGroup group;
    group.AddItem(std::next(units.Items.cbegin(), 3), 0);
    group.AddItem(units.Items.cbegin(), 0);
    units.Groups.erase(units.Groups.begin() + 3);
    units.Groups.erase(units.Groups.begin());
    units.Groups.push_back(group);
    DivisionRun run;
    TDivideThread thread({units.Groups, 1000, 999, units.Media, run.Ui, run.Listener, 3,
                          DivisionMethod::FewestMedia});
    run.UntilEnded();
    ASSERT_EQ(units.Media.size(), 2u);
    EXPECT_EQ(thread.GetMediaLowerBound(), 2u);
    EXPECT_TRUE(units.Groups.empty());
    const auto first = units.MediumSizes(units.Media[0]);
    const auto second = units.MediumSizes(units.Media[1]);
    const auto& withGroup =
        std::find(first.begin(), first.end(), 686) != first.end() ? first : second;
    EXPECT_EQ(withGroup.size(), 2u);
    EXPECT_NE(std::find(withGroup.begin(), withGroup.end(), 264), withGroup.end());
}
