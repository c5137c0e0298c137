#pragma once
// Why a file cannot be read or written, in the few causes the user is told.

#include <cstdint>
#include <string>

namespace kestrani {

enum class FileProblem {
    None,
    NotAFile,        // a folder, a FIFO, a device or a socket stands in its place
    NotResults,      // not an SQLite database, or another program's database
    FailsCheck,      // a results file whose pages fail SQLite's check
    NewerVersion,    // written by a newer version of the program
    Locked,          // another program holds its lock
    DiskFull,        // no space left, or the quota used up
    WriteProtected,  // the file, its folder or its file system refuses writing
    NoAccess,        // it may not be read
    Other,           // nothing above: the system's or SQLite's own words tell
};

// The cause behind a system error number (errno) met while writing.
FileProblem problemOfError(int error);

// Why writing `bytes` bytes to the file at path failed, as far as the file
// system tells now: what stands in its place, whether its folder and file
// system take writing, and the space left. Other when none of it explains it.
FileProblem whyCannotWrite(const std::string& path, std::uintmax_t bytes);

}  // namespace kestrani
