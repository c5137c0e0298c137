#include "fakes/scratch_disk.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace kestrani::fakes {

ScratchDisk::ScratchDisk(std::size_t kilobytes, const std::string& at) : folder_(at) {
    if (folder_.empty()) {
        std::error_code error;
        std::string folder = (std::filesystem::temp_directory_path(error) / "kestrani-disk-XXXXXX").string();
        if (!::mkdtemp(folder.data())) {
            problem_ = std::string("making its folder: ") + std::strerror(errno);
            return;
        }
        folder_ = folder;
        ownFolder_ = true;
    }
    const std::string options = "size=" + std::to_string(kilobytes) + "k,mode=0755";
    if (::mount("tmpfs", folder_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0)
        mounted_ = true;
    else
        problem_ = std::string("mounting a tmpfs needs the superuser: ") + std::strerror(errno);
}

ScratchDisk::~ScratchDisk() {
    if (mounted_)
        ::umount2(folder_.c_str(), MNT_DETACH);
    if (ownFolder_)
        ::rmdir(folder_.c_str());
}

void ScratchDisk::fill() {
    const int fd = ::open(path("filler").c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    // Smaller and smaller pieces, down to the last byte that fits.
    static const char zeros[65536] = {};
    for (std::size_t piece = sizeof zeros; piece > 0; piece /= 2)
        while (::write(fd, zeros, piece) == static_cast<ssize_t>(piece)) {
        }
    ::close(fd);
}

bool ScratchDisk::makeReadOnly() {
    return ::mount("tmpfs", folder_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr) == 0;
}

}  // namespace kestrani::fakes
