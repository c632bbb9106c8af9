#pragma once

#include <sys/resource.h>
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace quillax {

// How a program is started: its limits, environment changes ("NAME=value" sets, "NAME" unsets),
// standard input, the user it runs as, and when it is killed.
struct ProgramSetup {
    rlim_t FileSizeLimit = RLIM_INFINITY;
    rlim_t AddressSpaceLimit = RLIM_INFINITY;
    // The most processes and threads the program's user may have.
    rlim_t ProcessLimit = RLIM_INFINITY;
    // Another user and groups to run as (the superuser only); none: the test's own.
    std::optional<uid_t> User;
    std::vector<gid_t> Groups;
    std::vector<std::string> Environment;
    double KillAfterSeconds = 30;
    // What the program reads on standard input: through a pipe, or a regular file when InputIsFile.
    // None: the test's own standard input.
    std::optional<std::string> Input;
    bool InputIsFile = false;
};

// What a program did: its exit status (-1 when a signal ended it), the signal, both streams, its peak
// resident memory and how long it ran.
struct ProgramRun {
    int Status = -1;
    int Signal = 0;
    std::string Out;
    std::string Err;
    long PeakKilobytes = 0;
    double Seconds = 0;
};

// Runs program with arguments passed byte for byte. A file-size limit gives the program the signal
// the system sends at the limit, and then the error a full disk gives if the program ignores it; an
// address-space limit, the failure to allocate that running out of memory gives. A program that
// could not be started as the user asked ends with status 127.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const ProgramSetup& setup = {});

} // namespace quillax
