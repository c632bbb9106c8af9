#pragma once

#include <sys/types.h>

#include <string>

namespace quillax {

// How an output path is written, known before anything is written.
enum class OutputWay {
    // A name not yet used: a new file is put there once it is whole.
    NewFile,
    // A regular file: replaced by a whole new file with its permissions, owner and group.
    Replace,
    // A regular file with several names, or one whose owner or group this user may not give a new
    // file: the whole new content is written and synced beside it first, then copied into the file
    // itself, so every name shows it and the owner stays.
    InPlace,
    // A FIFO, a character device, or a descriptor this process has open (/dev/stdout, /dev/fd/N):
    // written as the content comes.
    Direct,
};

// What a path leads to and how it will be written. Links are followed: Target is the name at their
// end (for a descriptor of this process, none).
struct OutputPlan {
    OutputWay Way = OutputWay::NewFile;
    std::string Target;
    // For Direct to a descriptor of this process: its number; otherwise -1.
    int Descriptor = -1;
    // Of a regular file: its permissions, owner, group and how many names it has.
    mode_t Mode = 0;
    uid_t Owner = 0;
    gid_t Group = 0;
    nlink_t Names = 1;
    // Set when a new file of this user could not be given the file's owner and group: the reason it
    // is written in place, for the caller to tell the user before writing.
    bool ForeignOwner = false;
    // The system's error number when the path cannot be written at all (a folder, a file this user
    // may not write), or NotWritableKind; 0 otherwise.
    int Error = 0;
};

// What Error gives for a block device or a socket.
inline constexpr int NotWritableKind = -1;

OutputPlan PlanOutput(const std::string& path);

// Why a file with ForeignOwner is written in place, for a message: "another user's file (owner 1234,
// group 1235)", or "in group 1235, which is not one of this user's".
std::string ForeignOwnerText(const OutputPlan& plan);

} // namespace quillax
