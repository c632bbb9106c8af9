#include "document/MoveCentreCommand.h"

#include <bit>
#include <cstdint>

namespace quillax {

MoveCentreCommand::MoveCentreCommand(ObjectDocument& document, float x, float y)
    : QUndoCommand("Object Centre"), Document(document), FromX(document.Object().CentreX),
      FromY(document.Object().CentreY), ToX(x), ToY(y) {
    setObsolete(std::bit_cast<uint32_t>(FromX) == std::bit_cast<uint32_t>(ToX) &&
                std::bit_cast<uint32_t>(FromY) == std::bit_cast<uint32_t>(ToY));
}

void MoveCentreCommand::redo() {
    Document.PutCentre(ToX, ToY);
}

void MoveCentreCommand::undo() {
    Document.PutCentre(FromX, FromY);
}

} // namespace quillax
