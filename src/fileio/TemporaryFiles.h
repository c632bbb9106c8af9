#pragma once

#include "platform/FileDescriptor.h"

#include <string>

namespace quillax {

// The files an output leaves beside its target while it is written, and what is left of them when
// a writer is killed. A replacement on its way is ".NAME.quillax-XXXXXXXX.tmp"; the complete copy
// of a file rewritten in place is ".NAME.quillax-XXXXXXXX.new" (a kill during that rewrite leaves
// the only whole copy there, so it is never removed for the user). Every writer holds an exclusive
// lock on its file from before the file has a name, or, where the file system has no unnamed files,
// from the moment it creates it.

// What a temporary file is for.
enum class TemporaryKind { Replacement, InPlaceCopy };

// The folder part of a path: "." for a bare name, "/" for a name in the root.
std::string FolderOf(const std::string& path);

// A name of that kind beside target, unused as far as chance goes: the base is cut so the name
// stays legal.
std::string TemporaryNameFor(const std::string& target, TemporaryKind kind);

// True for a name that TemporaryNameFor gives for a replacement (the name alone, no folder).
bool IsReplacementName(const std::string& name);

// Takes the writer's lock on a temporary file, where the file system offers locks (without one, the
// leftovers' age alone keeps a live writer's file from being taken for one).
void LockTemporary(const FileDescriptor& file);

// Removes the replacements that killed writers left in folder: only names of that pattern, only
// regular files of this user with one name, only files no process holds the lock of, and only those
// last written more than LeftoverAge seconds ago (which covers the moment between a writer creating
// its file and locking it). Anything else is left alone; nothing here ever fails a write.
inline constexpr int LeftoverAgeSeconds = 10;
void RemoveLeftovers(const std::string& folder);

} // namespace quillax
