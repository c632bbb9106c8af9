#include "document/ObjectDocument.h"

#include "document/ClosedOutline.h"
#include "document/MoveCentreCommand.h"
#include "document/MoveMeshCommand.h"
#include "document/MovePointsCommand.h"
#include "document/ObjectRoom.h"
#include "document/SpliceMeshesCommand.h"
#include "platform/RuntimeError.h"

#include <QUndoStack>

#include <algorithm>
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
    Views.clear();
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
    Views.clear();
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

MeshViewState ObjectDocument::ViewStateOf(int32_t mesh) const {
    return mesh >= 0 && static_cast<size_t>(mesh) < Views.size() ? Views[static_cast<size_t>(mesh)]
                                                                 : MeshViewState{};
}

void ObjectDocument::SetViewState(int32_t mesh, MeshViewState state) {
    if (mesh < 0 || mesh >= MeshCountOf(Model)) {
        RaiseError(ErrNo::SubscriptOutOfRange, "mesh " + std::to_string(mesh));
    }
    Views.resize(std::max(Views.size(), static_cast<size_t>(MeshCountOf(Model))));
    Views[static_cast<size_t>(mesh)] = state;
    emit MeshViewChanged(mesh);
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
    Steps->push(MoveStep(mesh, std::move(moves), series));
}

void ObjectDocument::MovePoints(const QString& text, int32_t mesh, std::vector<PointMove> moves) {
    MovePointsCommand* step = MoveStep(mesh, std::move(moves), 0);
    step->setText(text);
    Steps->push(step);
}

// Where a closed outline's first or last point moves alone, the other moves with it.
MovePointsCommand* ObjectDocument::MoveStep(int32_t mesh, std::vector<PointMove> moves, int32_t series) {
    if (mesh >= 0 && mesh < MeshCountOf(Model)) {
        moves = WithTwinMoves(Model.Meshes[static_cast<size_t>(mesh)], std::move(moves));
    }
    return new MovePointsCommand(*this, mesh, std::move(moves), series);
}

void ObjectDocument::MoveCentre(float x, float y) {
    Steps->push(new MoveCentreCommand(*this, x, y));
}

void ObjectDocument::MoveMesh(const QString& text, int32_t from, int32_t to) {
    const int32_t meshes = MeshCountOf(Model);
    if (from < 0 || from >= meshes || to < 0 || to >= meshes) {
        RaiseError(ErrNo::SubscriptOutOfRange,
                   "mesh " + std::to_string(from < 0 || from >= meshes ? from : to));
    }
    if (from != to) {
        Steps->push(new MoveMeshCommand(text, *this, from, to));
    }
}

void ObjectDocument::PutMeshes(int32_t first, size_t removed, const std::vector<MeshState>& in,
                               int32_t chosen) {
    SpliceViews(first, removed, in.size());
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
    // Before the meshes, so that whoever redraws for them finds the marks already told.
    emit MarksChanged(-1, MarkRange::Every(), MarkRange::Every());
    emit MeshesChanged();
    emit ChosenMeshChanged(Chosen);
}

// The chosen mesh follows its mesh, or the meshes that close up over the gap.
void ObjectDocument::PutMeshAt(int32_t from, int32_t to) {
    const auto rotate = [from, to](auto& items) {
        const auto at = [&items](int32_t index) { return items.begin() + static_cast<ptrdiff_t>(index); };
        if (from < to) {
            std::rotate(at(from), at(from + 1), at(to + 1));
        } else {
            std::rotate(at(to), at(from), at(from + 1));
        }
    };
    if (!Views.empty()) {
        Views.resize(std::max(Views.size(), Model.Meshes.size()));
        rotate(Views);
    }
    rotate(Model.Meshes);
    rotate(Place.Selections);
    if (Chosen == from) {
        Chosen = to;
    } else if (from < Chosen && Chosen <= to) {
        --Chosen;
    } else if (to <= Chosen && Chosen < from) {
        ++Chosen;
    }
    emit MeshesChanged();
    emit ChosenMeshChanged(Chosen);
}

void ObjectDocument::SpliceViews(int32_t first, size_t removed, size_t added) {
    if (Views.empty() || removed == added) {
        return;
    }
    Views.resize(std::max(Views.size(), Model.Meshes.size()));
    const auto at = Views.begin() + static_cast<ptrdiff_t>(first);
    Views.insert(Views.erase(at, at + static_cast<ptrdiff_t>(removed)), added, MeshViewState{});
}

void ObjectDocument::PutPoints(int32_t mesh, const std::vector<PointMove>& moves, bool forward) {
    Mesh& points = Model.Meshes.at(static_cast<size_t>(mesh));
    for (const PointMove& move : moves) {
        points.X.at(static_cast<size_t>(move.Index)) = forward ? move.ToX : move.FromX;
        points.Y.at(static_cast<size_t>(move.Index)) = forward ? move.ToY : move.FromY;
    }
    emit PointsMoved(mesh);
}

void ObjectDocument::PutCentre(float x, float y) {
    Model.CentreX = x;
    Model.CentreY = y;
    emit CentreMoved();
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
