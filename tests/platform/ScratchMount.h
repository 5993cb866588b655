// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#ifndef _WIN32
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "platform/Utf8Path.h"

// A small tmpfs mounted for one test, to meet a full or a read-only file system for real. Only
// root can mount; elsewhere (and on Windows) Mounted() is false and the test skips or injects the
// failure. A folder that refuses writes is open to every user: see MakeReadOnly.
class ScratchMount {
public:
    ScratchMount(const std::string& folder, [[maybe_unused]] const std::string& size)
        : Folder(folder) {
        std::filesystem::create_directories(Utf8Path(folder));
#ifndef _WIN32
        const std::string options = "size=" + size + ",mode=0777";
        IsMounted =
            ::geteuid() == 0 && ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
#endif
    }
    ~ScratchMount() {
#ifndef _WIN32
        if (IsMounted)
            ::umount2(Folder.c_str(), MNT_DETACH);
        else if (Locked)
            ::chmod(Folder.c_str(), 0755);  // so the folder and what it holds can be removed
#endif
    }
    ScratchMount(const ScratchMount&) = delete;
    ScratchMount& operator=(const ScratchMount&) = delete;

    bool Mounted() const {
        return IsMounted;
    }

    // Makes the folder refuse new entries, whichever user runs the test: the mounted file system
    // becomes read-only; unmounted, the folder loses its write permission, which stops every user
    // but root. Returns the error a write into the folder then meets, or 0 when neither way is
    // open (root without a mount, Windows, whose read-only attribute does not stop new entries in
    // a folder).
    int MakeReadOnly() {
#ifdef _WIN32
        return 0;
#else
        if (IsMounted)
            return ::mount("tmpfs", Folder.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0
                       ? EROFS
                       : 0;
        if (::geteuid() == 0 || ::chmod(Folder.c_str(), 0555) != 0)
            return 0;
        Locked = true;
        return EACCES;
#endif
    }

    // Writes zeros until the file system refuses more.
    void Fill(const std::string& name) const {
        std::ofstream filler(Utf8Path(Folder + "/" + name), std::ios::binary);
        const std::string block(4096, '\0');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size())))
            filler.flush();
    }

private:
    std::string Folder;
    bool IsMounted = false;
    bool Locked = false;
};

inline void WriteTextFile(const std::string& path, const std::string& text) {
    std::ofstream out(Utf8Path(path), std::ios::binary | std::ios::trunc);
    out << text;
}

inline std::string ReadTextFile(const std::string& path) {
    std::ifstream in(Utf8Path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every entry under a folder: files with their contents, links with what they point to, folders.
// Entries are keyed by their own path under the folder (lexically: a link keeps its own name
// rather than its target's), so the result does not depend on the order the folder lists them.
inline std::map<std::string, std::string> TreeOf(const std::string& root) {
    std::map<std::string, std::string> tree;
    namespace fs = std::filesystem;
    for (auto it = fs::recursive_directory_iterator(Utf8Path(root));
         it != fs::recursive_directory_iterator(); ++it) {
        // Keyed with "/" as delimiter on every platform.
        const std::u8string key = it->path().lexically_relative(Utf8Path(root)).generic_u8string();
        const std::string relative(key.begin(), key.end());
        if (it->is_symlink())
            tree[relative] = "-> " + Utf8Text(fs::read_symlink(it->path()));
        else if (it->is_directory())
            tree[relative] = "<dir>";
        else
            tree[relative] = ReadTextFile(Utf8Text(it->path()));
    }
    return tree;
}
