#pragma once

#include "fileio/OutputPlan.h"
#include "fileio/TemporaryFiles.h"
#include "platform/FileDescriptor.h"

#include <QIODevice>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quillax {

// How long opening a FIFO waits for a program to read it, unless told otherwise.
inline constexpr std::chrono::milliseconds DefaultReaderWait{5000};

// The one way the programs write a file, so that a failure never costs what was there. The name is
// taken as bytes, and written as PlanOutput says. A new file, or the replacement of a regular file,
// is written to a file without a name in the same folder (one with a hidden temporary name where the
// file system offers none), synced, given the old file's owner, group and permissions, and put in
// place by a rename only when Commit succeeds. A file rewritten in place gets the whole new content
// written and synced beside it first. On any failure before the target is touched, it stays as it
// was, no temporary file is left, and Reason() gives the system's reason. Replacements left behind
// by killed writers are removed when the next file is written to their folder (TemporaryFiles.h).
//
// QSaveFile is not used: it takes the name as text, which changes names that are not UTF-8, it
// renames over devices and FIFOs, and it gives another user's file to this one.
class OutputFile : public QIODevice {
public:
    explicit OutputFile(std::string path);
    // An open descriptor (1, for a "-" on the command line), written directly whatever it leads to: a
    // pipe, a terminal or a file the shell opened. It is never renamed, synced or closed.
    explicit OutputFile(int descriptor);
    ~OutputFile() override;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // How long open waits for a program to open a FIFO for reading before it fails.
    void SetReaderWait(std::chrono::milliseconds wait) { ReaderWait = wait; }
    // Write-only; false with Error() and Reason() set.
    bool open(OpenMode mode) override;
    bool isSequential() const override { return true; }
    // Writes what is held back and puts the file in place; false with Error() and Reason() set.
    bool Commit();
    // How the file is written, once open.
    const OutputPlan& Plan() const { return Planned; }
    // The system's error number of the first failure, 0 when there was none.
    int Error() const { return Failure; }
    std::string Reason() const;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    bool Fail(int error);
    bool OpenTemporary();
    bool OpenDirect();
    bool OpenGiven(int descriptor);
    bool WriteHeld();
    bool Finish();
    int KeepOwnerAndMode();
    bool Rename();
    bool CopyInPlace();
    bool WriteCopyInto(const FileDescriptor& target);
    bool NameTemporary(TemporaryKind kind);
    void Discard();

    std::string Path;
    int Given = -1;
    OutputPlan Planned;
    std::chrono::milliseconds ReaderWait = DefaultReaderWait;
    std::string TemporaryName;
    FileDescriptor File;
    bool Direct = false;
    bool Unnamed = false;
    std::vector<char> Held;
    int64_t Written = 0;
    int Failure = 0;
    // Where the whole new content stays when a rewrite in place failed halfway.
    std::string KeptCopy;
};

// What writing a whole file came to: an empty Reason when it is in place.
struct WriteOutcome {
    int Error = 0;
    std::string Reason;
    bool Ok() const { return Reason.empty(); }
};

// Writes a whole file through an OutputFile not yet open: body writes the content and returns an empty
// text, or its own reason for failing. A failure of the file itself is reported before the body's, as
// it explains it.
WriteOutcome WriteWholeFile(OutputFile& file, const std::function<std::string(QIODevice&)>& body);
WriteOutcome WriteWholeFile(const std::string& path, const std::function<std::string(QIODevice&)>& body);
// The same with the whole content in hand.
WriteOutcome WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes);

} // namespace quillax
