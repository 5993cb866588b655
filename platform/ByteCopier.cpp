#include "platform/ByteCopier.h"

#include <unistd.h>

#include <cerrno>

namespace {

// One copy_file_range call moves at most this much, so progress and cancel stay responsive.
constexpr std::size_t CopyChunk = 16 * 1024 * 1024;
// Buffer of the plain read/write copy used where the kernel cannot copy between the files.
constexpr std::size_t BufferSize = 1024 * 1024;

}  // namespace

ByteCopier::Result ByteCopier::Copy(int in, int out,
                                    const std::function<int(std::uint64_t)>& beforeBlock,
                                    const std::function<bool(std::uint64_t)>& afterBlock) {
    Result result;
    for (;;) {
        if (beforeBlock) {
            if ((result.Error = beforeBlock(result.Copied)) != 0)
                return result;
        }
        ssize_t moved = -1;
        if (KernelCopy && !Sink) {
            moved = ::copy_file_range(in, nullptr, out, nullptr, CopyChunk, 0);
            if (moved < 0 && result.Copied == 0 &&
                (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
                // This pair of file systems cannot copy in the kernel; go on with a buffer.
                KernelCopy = false;
            }
        }
        if (!KernelCopy || Sink) {
            if (Buffer.empty())
                Buffer.resize(BufferSize);
            moved = ::read(in, Buffer.data(), Buffer.size());
            for (ssize_t written = 0; moved > 0 && written < moved;) {
                const ssize_t step = ::write(out, Buffer.data() + written,
                                             static_cast<std::size_t>(moved - written));
                if (step < 0) {
                    if (errno == EINTR)
                        continue;
                    result.Error = errno;
                    return result;
                }
                written += step;
            }
        }
        if (moved < 0) {
            if (errno == EINTR)
                continue;
            result.Error = errno;
            return result;
        }
        if (moved == 0)
            return result;
        if (Sink)
            Sink(Buffer.data(), static_cast<std::size_t>(moved));
        result.Copied += static_cast<std::uint64_t>(moved);
        if (!afterBlock(static_cast<std::uint64_t>(moved))) {
            result.Cancelled = true;
            return result;
        }
    }
}
