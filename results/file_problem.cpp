#include "results/file_problem.h"

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace kestrani {

FileProblem problemOfError(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT: return FileProblem::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS: return FileProblem::WriteProtected;
    case EISDIR:
    case ENOTDIR:
    case ENXIO: return FileProblem::NotAFile;
    case EBUSY:
    case EAGAIN: return FileProblem::Locked;
    default: return FileProblem::Other;
    }
}

FileProblem whyCannotWrite(const std::string& path, std::uintmax_t bytes) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path file = fs::absolute(path, error);
    struct stat st {};
    if (::stat(file.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            return FileProblem::NotAFile;
        if (::access(file.c_str(), W_OK) != 0)
            return problemOfError(errno);
    }
    // The nearest folder that exists: the missing ones would be made in it.
    fs::path folder = file.parent_path();
    while (::stat(folder.c_str(), &st) != 0 && folder.has_relative_path())
        folder = folder.parent_path();
    if (!S_ISDIR(st.st_mode))
        return FileProblem::NotAFile;
    if (::access(folder.c_str(), W_OK) != 0)
        return problemOfError(errno);
    struct statvfs disk {};
    if (::statvfs(folder.c_str(), &disk) == 0) {
        if (disk.f_flag & ST_RDONLY)
            return FileProblem::WriteProtected;
        const std::uintmax_t free = std::uintmax_t{disk.f_bavail} * disk.f_frsize;
        // A file system that counts its files may have none left.
        if (free < bytes || (disk.f_files > 0 && disk.f_favail == 0))
            return FileProblem::DiskFull;
    }
    return FileProblem::Other;
}

}  // namespace kestrani
