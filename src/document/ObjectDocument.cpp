#include "document/ObjectDocument.h"

#include "document/MovePointsCommand.h"
#include "document/ObjectRoom.h"
#include "document/SpliceMeshesCommand.h"
#include "platform/RuntimeError.h"

#include <QUndoStack>

#include <utility>

namespace quillax {

namespace {
// Only -1 and 0 are written, and any non-zero flag counts as set.
void Flip(int16_t& flag) {
    flag = flag != 0 ? 0 : -1;
}
} // namespace

ObjectDocument::ObjectDocument(ObjectFile& object, ObjectPlacement& placement, QObject* parent)
    : QObject(parent), Model(object), Place(placement), Steps(new QUndoStack(this)) {
    WireHistory();
}

ObjectDocument::ObjectDocument(QObject* parent)
    : QObject(parent), Own(std::make_unique<OwnModel>()), Model(Own->Object), Place(Own->Placement),
      Steps(new QUndoStack(this)) {
    WireHistory();
}

ObjectDocument::~ObjectDocument() = default;

void ObjectDocument::WireHistory() {
    connect(Steps, &QUndoStack::cleanChanged, this, [this](bool clean) { emit ModifiedChanged(!clean); });
}

void ObjectDocument::Clear() {
    ForgetFile();
    ClearObjectModel(Model, Place);
    SetChosen(-1);
    emit ObjectReplaced();
}

bool ObjectDocument::Open(const std::string& path, uint64_t shownBytesPerPoint) {
    Clear();
    CheckRoomForObject(path, shownBytesPerPoint);
    if (!LoadObjectFile(path, Model, Place)) {
        return false;
    }
    Path = path;
    Stamped = StampOfFile(path);
    emit FileChanged();
    emit ObjectReplaced();
    return true;
}

void ObjectDocument::Replace(ObjectFile object, ObjectPlacement placement, const std::string& path) {
    ForgetFile();
    Model = std::move(object);
    Place = std::move(placement);
    SetChosen(-1);
    if (!path.empty()) {
        Path = path;
        Stamped = StampOfFile(path);
        emit FileChanged();
    }
    emit ObjectReplaced();
}

void ObjectDocument::ChooseMesh(int32_t mesh) {
    ClearSelections(Place);
    emit MarksChanged(-1, MarkRange::Every(), MarkRange::Every());
    SetChosen(mesh);
}

const MeshSelection* ObjectDocument::MarksOf(int32_t mesh) const {
    if (mesh < 0 || static_cast<size_t>(mesh) >= Place.Selections.size()) {
        return nullptr;
    }
    return &Place.Selections[static_cast<size_t>(mesh)];
}

void ObjectDocument::CheckMark(int32_t mesh, bool line, int32_t index) const {
    const MeshSelection* marks = MarksOf(mesh);
    if (marks == nullptr) {
        RaiseError(ErrNo::SubscriptOutOfRange, "mesh " + std::to_string(mesh));
    }
    const std::vector<int16_t>& flags = line ? marks->LineFlags : marks->PointFlags;
    if (index < 0 || static_cast<size_t>(index) >= flags.size()) {
        RaiseError(ErrNo::SubscriptOutOfRange, (line ? "line " : "point ") + std::to_string(index));
    }
}

void ObjectDocument::TogglePointMark(int32_t mesh, int32_t point) {
    CheckMark(mesh, false, point);
    Flip(MarksAt(mesh).PointFlags[static_cast<size_t>(point)]);
    emit MarksChanged(mesh, MarkRange::One(point), {});
}

void ObjectDocument::ToggleLineMark(int32_t mesh, int32_t line) {
    CheckMark(mesh, true, line);
    Flip(MarksAt(mesh).LineFlags[static_cast<size_t>(line)]);
    emit MarksChanged(mesh, {}, MarkRange::One(line));
}

void ObjectDocument::SetMarks(int32_t mesh, MeshSelection marks) {
    MeshSelection& kept = MarksAt(mesh);
    if (marks.PointFlags.size() != kept.PointFlags.size() ||
        marks.LineFlags.size() != kept.LineFlags.size()) {
        RaiseError(ErrNo::SubscriptOutOfRange, "marks of mesh " + std::to_string(mesh));
    }
    kept = std::move(marks);
    emit MarksChanged(mesh, MarkRange::Every(), MarkRange::Every());
}

bool ObjectDocument::IsModified() const {
    return !Steps->isClean();
}

void ObjectDocument::Saved(const std::string& path) {
    Path = path;
    Stamped = StampOfFile(path);
    Model.DroppedTrailingBytes = 0;
    Steps->setClean();
    emit FileChanged();
}

void ObjectDocument::TakeOver(const std::string& path, const std::optional<FileStamp>& stamp) {
    Path = path;
    Stamped = stamp;
    Steps->resetClean();
    emit FileChanged();
}

void ObjectDocument::SpliceMeshes(const QString& text, MeshSplice splice) {
    Steps->push(new SpliceMeshesCommand(text, *this, std::move(splice)));
}

void ObjectDocument::MovePoints(int32_t mesh, std::vector<PointMove> moves, int32_t series) {
    Steps->push(new MovePointsCommand(*this, mesh, std::move(moves), series));
}

void ObjectDocument::PutMeshes(int32_t first, size_t removed, const std::vector<MeshState>& in,
                               int32_t chosen) {
    const auto from = static_cast<ptrdiff_t>(first);
    const auto out = static_cast<ptrdiff_t>(removed);
    Model.Meshes.erase(Model.Meshes.begin() + from, Model.Meshes.begin() + from + out);
    Place.Selections.erase(Place.Selections.begin() + from, Place.Selections.begin() + from + out);
    for (size_t k = 0; k < in.size(); ++k) {
        const auto at = from + static_cast<ptrdiff_t>(k);
        Model.Meshes.insert(Model.Meshes.begin() + at, in[k].Points);
        Place.Selections.insert(Place.Selections.begin() + at, in[k].Marks);
    }
    Model.MeshCount = static_cast<int16_t>(Model.Meshes.size());
    Chosen = chosen;
    emit MeshesChanged();
    emit ChosenMeshChanged(Chosen);
}

void ObjectDocument::PutPoints(int32_t mesh, const std::vector<PointMove>& moves, bool forward) {
    Mesh& points = Model.Meshes.at(static_cast<size_t>(mesh));
    for (const PointMove& move : moves) {
        points.X.at(static_cast<size_t>(move.Index)) = forward ? move.ToX : move.FromX;
        points.Y.at(static_cast<size_t>(move.Index)) = forward ? move.ToY : move.FromY;
    }
    emit PointsMoved(mesh);
}

MeshSelection& ObjectDocument::MarksAt(int32_t mesh) {
    if (mesh < 0 || static_cast<size_t>(mesh) >= Place.Selections.size()) {
        RaiseError(ErrNo::SubscriptOutOfRange, "mesh " + std::to_string(mesh));
    }
    return Place.Selections[static_cast<size_t>(mesh)];
}

void ObjectDocument::SetChosen(int32_t mesh) {
    Chosen = mesh;
    emit ChosenMeshChanged(mesh);
}

void ObjectDocument::ForgetFile() {
    Steps->clear();
    const bool had = !Path.empty();
    Path.clear();
    Stamped.reset();
    if (had) {
        emit FileChanged();
    }
}

} // namespace quillax
