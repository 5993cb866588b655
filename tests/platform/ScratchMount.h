#pragma once

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// A small tmpfs mounted for one test, to meet a full or a read-only file system for real. Only
// root can mount; elsewhere Mounted() is false and the test skips or injects the failure.
class ScratchMount {
public:
    ScratchMount(const std::string& folder, const std::string& size) : Folder(folder) {
        std::filesystem::create_directories(folder);
        const std::string options = "size=" + size + ",mode=0777";
        IsMounted =
            ::geteuid() == 0 && ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
    }
    ~ScratchMount() {
        if (IsMounted)
            ::umount2(Folder.c_str(), MNT_DETACH);
    }
    ScratchMount(const ScratchMount&) = delete;
    ScratchMount& operator=(const ScratchMount&) = delete;

    bool Mounted() const { return IsMounted; }

    bool MakeReadOnly() {
        return IsMounted &&
               ::mount("tmpfs", Folder.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

    // Writes zeros until the file system refuses more.
    void Fill(const std::string& name) const {
        std::ofstream filler(Folder + "/" + name, std::ios::binary);
        const std::string block(4096, '\0');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size())))
            filler.flush();
    }

private:
    std::string Folder;
    bool IsMounted = false;
};

inline void WriteTextFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

inline std::string ReadTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
