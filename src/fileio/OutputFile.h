#pragma once

#include "platform/FileDescriptor.h"

#include <QIODevice>

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillax {

// The one way the programs write a file, so that a failure never costs what was there. The name is
// taken as bytes. A regular file, or a new name, is written to a file without a name in the same
// folder (one with a hidden temporary name where the file system offers none), synced, and put in
// place by a rename only when Commit succeeds; a symbolic link is followed to the name it leads to,
// which is replaced that way. A FIFO or character device, reached through any links (so /dev/stdout
// when it is a pipe or terminal), is written directly. A folder or another kind is refused. Every
// write, the sync and the rename are checked; on any failure the target stays as it was, no
// temporary file is left, and Reason() gives the system's reason.
//
// QSaveFile is not used: it takes the name as text, which changes names that are not UTF-8, and it
// renames over devices and FIFOs.
class OutputFile : public QIODevice {
public:
    explicit OutputFile(std::string path);
    // An open descriptor (1, for a "-" on the command line), written directly whatever it leads to: a
    // pipe, a terminal or a file the shell opened. It is never renamed, synced or closed.
    explicit OutputFile(int descriptor);
    ~OutputFile() override;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Write-only; false with Error() and Reason() set.
    bool open(OpenMode mode) override;
    bool isSequential() const override { return true; }
    // Writes what is held back, syncs and puts the file in place; false with Error() and Reason() set.
    bool Commit();
    // The system's error number of the first failure, 0 when there was none.
    int Error() const { return Failure; }
    std::string Reason() const;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    bool Fail(int error);
    // existingMode: the permissions of the file it replaces, none for a new name.
    bool OpenReplacement(std::optional<mode_t> existingMode);
    bool OpenDirect();
    bool OpenGiven();
    bool WriteHeld();
    bool PutInPlace();
    bool NameUnnamed();
    void Discard();

    std::string Path;
    int Given = -1;
    std::string Target;
    std::string TemporaryName;
    FileDescriptor File;
    bool Direct = false;
    bool Unnamed = false;
    std::vector<char> Held;
    int Failure = 0;
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
