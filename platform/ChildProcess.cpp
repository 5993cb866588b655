// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <thread>

extern char** environ;

namespace {

// The argument vector execve expects; the strings stay owned by the caller.
std::vector<char*> ArgumentVector(const std::string& program,
                                  const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 2);
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    return argv;
}

int ExitStatusOf(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Waits for the child until the deadline; kills it when the time is up. True when it ended by
// itself.
bool ReapBefore(pid_t pid, std::chrono::steady_clock::time_point deadline, int& status) {
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid)
            return true;
        if (done < 0 && errno != EINTR)
            return false;
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(pid, SIGKILL);
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

enum class Reading { Closed, TimedOut, Stopped };

// Reads the pipe until its writers close it, the deadline passes or the reader (when there is
// one) asks to stop; the reader is asked every tick while nothing comes. Each piece read moves
// the deadline on by the quiet limit, when there is one.
Reading ReadUntilClosed(int fd, std::chrono::steady_clock::time_point deadline,
                        std::optional<std::chrono::milliseconds> quietLimit,
                        const std::function<bool(std::string_view)>* reader, std::string& output) {
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return Reading::TimedOut;
        const auto wait = reader != nullptr ? std::min(left, ReadingTick) : left;
        pollfd waiting{fd, POLLIN, 0};
        const int ready = ::poll(&waiting, 1, static_cast<int>(wait.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready == 0 && wait < left) {
            if (!(*reader)(std::string_view()))
                return Reading::Stopped;
            continue;
        }
        if (ready <= 0)
            return Reading::TimedOut;
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return count == 0 ? Reading::Closed : Reading::TimedOut;
        const std::string_view piece(buffer, static_cast<std::size_t>(count));
        output.append(piece);
        if (reader != nullptr && !(*reader)(piece))
            return Reading::Stopped;
        if (quietLimit)
            deadline = std::chrono::steady_clock::now() + *quietLimit;
    }
}

ProcessOutput Run(const std::string& program, const std::vector<std::string>& arguments,
                  std::chrono::milliseconds timeLimit, bool quiet,
                  const std::function<bool(std::string_view)>* reader) {
    ProcessOutput result;
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
        return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv = ArgumentVector(program, arguments);
    pid_t pid = 0;
    const int spawned =
        ::posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    if (spawned != 0) {
        ::close(pipeEnds[0]);
        return result;
    }
    const auto deadline = std::chrono::steady_clock::now() + timeLimit;
    const Reading read =
        ReadUntilClosed(pipeEnds[0], deadline, quiet ? std::optional(timeLimit) : std::nullopt,
                        reader, result.Output);
    ::close(pipeEnds[0]);
    int status = 0;
    // A program that keeps its output open past the deadline, or that is no longer wanted, is
    // killed at once.
    const auto now = std::chrono::steady_clock::now();
    const bool ended = ReapBefore(
        pid, read != Reading::Closed ? now : (quiet ? now + timeLimit : deadline), status);
    result.Finished = ended;
    result.TimedOut = !ended && read != Reading::Stopped;
    result.ExitStatus = ended ? ExitStatusOf(status) : -1;
    return result;
}

}  // namespace

ProcessOutput RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         std::chrono::milliseconds timeLimit) {
    return Run(program, arguments, timeLimit, false, nullptr);
}

ProcessOutput RunProcessReading(const std::string& program,
                                const std::vector<std::string>& arguments,
                                std::chrono::milliseconds quietLimit,
                                const std::function<bool(std::string_view piece)>& reader) {
    return Run(program, arguments, quietLimit, true, &reader);
}

std::optional<int> StartDetachedProcess(const std::string& program,
                                        const std::vector<std::string>& arguments) {
    std::vector<char*> argv = ArgumentVector(program, arguments);
    const int nullDevice = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    int report[2];
    if (nullDevice < 0 || ::pipe2(report, O_CLOEXEC) != 0) {
        if (nullDevice >= 0)
            ::close(nullDevice);
        return std::nullopt;
    }
    // Two forks: the intermediate child ends at once, so the program belongs to no one here and
    // no ended process waits to be collected. Between fork and exec only calls that are safe in
    // a child of a threaded process.
    const pid_t child = ::fork();
    if (child == 0) {
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild != 0) {
            const ssize_t written = ::write(report[1], &grandchild, sizeof grandchild);
            ::_exit(grandchild > 0 && written == sizeof grandchild ? 0 : 1);
        }
        ::dup2(nullDevice, STDIN_FILENO);
        ::dup2(nullDevice, STDOUT_FILENO);
        ::dup2(nullDevice, STDERR_FILENO);
        ::execve(program.c_str(), argv.data(), environ);
        const int error = errno;
        [[maybe_unused]] const ssize_t written = ::write(report[1], &error, sizeof error);
        ::_exit(127);
    }
    ::close(report[1]);
    ::close(nullDevice);
    std::optional<int> started;
    if (child > 0) {
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        pid_t programPid = 0;
        int execError = 0;
        // The id comes first; anything after it is the error of a failed exec, and the end of the
        // data without one means the exec succeeded.
        if (::read(report[0], &programPid, sizeof programPid) == sizeof programPid &&
            programPid > 0 && ::read(report[0], &execError, sizeof execError) == 0)
            started = programPid;
    }
    ::close(report[0]);
    return started;
}

std::string FindProgramOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    if (path == nullptr || name.empty() || name.find('/') != std::string::npos)
        return std::string();
    const std::string folders(path);
    std::size_t begin = 0;
    for (;;) {
        const std::size_t end = folders.find(':', begin);
        std::string folder = folders.substr(begin, end == std::string::npos ? end : end - begin);
        if (folder.empty())
            folder = ".";  // an empty entry names the current folder
        const std::string candidate = folder + "/" + name;
        struct stat info {};
        if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        if (end == std::string::npos)
            return std::string();
        begin = end + 1;
    }
}
