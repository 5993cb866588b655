#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// Copies the bytes of one open file into another from where both stand: in the kernel while the
// pair of file systems allows it, else through a buffer. One copier serves a whole operation and
// remembers when the kernel could not copy, so later files go straight to the buffer.
class ByteCopier {
public:
    struct Result {
        std::uint64_t Copied = 0;  // bytes written into out
        int Error = 0;             // the error number that stopped the copy
        bool Cancelled = false;    // afterBlock asked to stop
        bool Done() const { return Error == 0 && !Cancelled; }
    };

    // beforeBlock(offset) runs before each block is written and returns 0 to go on, or the error
    // number the copy is to fail with (tests meet failures there). afterBlock(bytes) runs after
    // each block with the bytes it held and returns false to stop the copy as cancelled.
    Result Copy(int in, int out, const std::function<int(std::uint64_t offset)>& beforeBlock,
                const std::function<bool(std::uint64_t bytes)>& afterBlock);

    // Receives every block written, in order (a checksum made while copying); while one is set
    // the copy goes through the buffer, where the bytes pass by.
    void SetDigestSink(std::function<void(const char*, std::size_t)> sink) {
        Sink = std::move(sink);
    }

private:
    std::function<void(const char*, std::size_t)> Sink;
    bool KernelCopy = true;
    std::vector<char> Buffer;
};
