#include "document/SpliceMeshesCommand.h"

#include <algorithm>
#include <utility>

namespace quillax {

SpliceMeshesCommand::SpliceMeshesCommand(const QString& text, ObjectDocument& document, MeshSplice splice)
    : QUndoCommand(text), Document(document), Change(std::move(splice)) {}

void SpliceMeshesCommand::redo() {
    if (const int32_t left = LeftBefore(); left >= 0) {
        MeshSelection& marks = Document.MarksAt(left);
        LeftMarks = marks;
        std::fill(marks.PointFlags.begin(), marks.PointFlags.end(), 0);
        std::fill(marks.LineFlags.begin(), marks.LineFlags.end(), 0);
    }
    Document.PutMeshes(Change.First, Change.Before.size(), Change.After, Change.ChosenAfter);
}

void SpliceMeshesCommand::undo() {
    if (const int32_t left = LeftAfter(); left >= 0) {
        Document.MarksAt(left) = LeftMarks;
    }
    Document.PutMeshes(Change.First, Change.After.size(), Change.Before, Change.ChosenBefore);
}

int32_t SpliceMeshesCommand::LeftBefore() const {
    return LeftAfter() >= 0 ? Change.ChosenBefore : -1;
}

int32_t SpliceMeshesCommand::LeftAfter() const {
    const int32_t before = Change.ChosenBefore;
    const auto removed = static_cast<int32_t>(Change.Before.size());
    if (before < 0 || (before >= Change.First && before < Change.First + removed)) {
        return -1;
    }
    const int32_t after =
        before < Change.First ? before : before + static_cast<int32_t>(Change.After.size()) - removed;
    return after != Change.ChosenAfter ? after : -1;
}

} // namespace quillax
