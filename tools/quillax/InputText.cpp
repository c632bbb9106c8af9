#include "quillax/InputText.h"

#include "platform/InputFile.h"
#include "quillax/CliCommand.h"
#include "quillax/StandardStreams.h"

#include <cerrno>

namespace quillax {

InputText ReadInputText(const std::string& name) {
    const InputPath input = OpenableInput(name);
    if (input.Path.empty()) {
        return {false, {}, input.Error};
    }
    const InputFile file(input.Path);
    if (!file.IsOpen()) {
        return {false, {}, file.Error() == ENOENT ? NoSuchFile : file.Reason()};
    }
    const int64_t length = file.Descriptor().Length();
    InputText text{true, std::string(static_cast<size_t>(std::max<int64_t>(length, 0)), '\0'), {}};
    const int64_t got = length < 0 ? -1 : file.Descriptor().ReadAt(0, text.Bytes.data(), length);
    if (got != length) {
        return {
            false, {}, got < 0 ? "cannot read it: " + SystemReason(errno) : "it changed while it was read"};
    }
    return text;
}

} // namespace quillax
