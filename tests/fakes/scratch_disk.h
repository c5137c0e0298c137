#pragma once
// A small file system of a test's own: a tmpfs mounted on a temporary folder,
// or over a folder that exists (only the superuser may mount one), filled up
// or made read-only on demand, unmounted at the end.

#include <cstddef>
#include <string>

namespace kestrani::fakes {

class ScratchDisk {
public:
    // at: the folder it hides while mounted; a new temporary one when empty.
    explicit ScratchDisk(std::size_t kilobytes, const std::string& at = {});
    ~ScratchDisk();
    ScratchDisk(const ScratchDisk&) = delete;
    ScratchDisk& operator=(const ScratchDisk&) = delete;

    bool mounted() const { return mounted_; }
    // Why it is not mounted.
    const std::string& problem() const { return problem_; }
    // A path on it.
    std::string path(const std::string& name) const { return folder_ + "/" + name; }
    // Writes a file named "filler" until not one byte more fits.
    void fill();
    // Mounts it again read-only; false when that failed.
    bool makeReadOnly();

private:
    std::string folder_;
    bool ownFolder_ = false;
    bool mounted_ = false;
    std::string problem_;
};

}  // namespace kestrani::fakes
