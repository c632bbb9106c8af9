#pragma once

#include "document/FileStamp.h"
#include "document/MeshEdits.h"
#include "objects/modObjects.h"

#include <QObject>

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QUndoStack;

namespace quillax {

class MoveCentreCommand;
class MoveMeshCommand;
class MovePointsCommand;
class SpliceMeshesCommand;

// One point of a mesh moved: where it was and where it goes.
struct PointMove {
    int32_t Index = 0;
    float FromX = 0;
    float FromY = 0;
    float ToX = 0;
    float ToY = 0;
};

// Meshes `After` (with their marks) in place of meshes `Before`, from index First on, and the mesh
// chosen before and after.
struct MeshSplice {
    int32_t First = 0;
    std::vector<MeshState> Before;
    std::vector<MeshState> After;
    int32_t ChosenBefore = -1;
    int32_t ChosenAfter = -1;
};

// How a mesh is shown: hidden (not drawn, not found by the pointer, not exported) or locked (drawn,
// but not chosen by the pointer nor edited).
struct MeshViewState {
    bool Hidden = false;
    bool Locked = false;

    bool operator==(const MeshViewState&) const = default;
};

// Marks of one kind that changed, First to Last; none when First is beyond Last.
struct MarkRange {
    int32_t First = 0;
    int32_t Last = -1;

    static MarkRange Every() { return {0, std::numeric_limits<int32_t>::max()}; }
    static MarkRange One(int32_t index) { return {index, index}; }
};

// The open document: the object and its placement, the marks (the placement's selection flags, their
// only record), the chosen mesh, the file it belongs to and the history of its edits. Every edit is a
// step on the history; whatever shows the document listens to the signals that say what changed.
class ObjectDocument : public QObject {
    Q_OBJECT
public:
    // A document over a model kept elsewhere: the window's CurrentObject and CurrentPlacement.
    ObjectDocument(ObjectFile& object, ObjectPlacement& placement, QObject* parent = nullptr);
    // A document with a model of its own.
    explicit ObjectDocument(QObject* parent = nullptr);
    ~ObjectDocument() override;

    const ObjectFile& Object() const { return Model; }
    const ObjectPlacement& Placement() const { return Place; }

    // Empties the object and forgets its file and history; no mesh is chosen.
    void Clear();
    // Reads the file into the emptied object (LoadObjectFile): false, with the object left empty,
    // when it is missing or no object file; other failures are the loader's run-time errors. An
    // object whose counts need more memory than there is, with `shownBytesPerPoint` for what shows
    // it, is refused before anything is read (ObjectTooLarge).
    bool Open(const std::string& path, uint64_t shownBytesPerPoint = 0);
    // An object read elsewhere, with the file it came from, or made in code, with no file.
    void Replace(ObjectFile object, ObjectPlacement placement, const std::string& path = {});

    // The chosen mesh, -1 when none; a choice that is no mesh of the object counts as none.
    int32_t ChosenMesh() const { return Chosen; }
    bool HasChosenMesh() const { return Chosen >= 0 && Chosen < MeshCountOf(Model); }
    // Choosing clears every mark of every mesh, as choosing in the mesh list does.
    void ChooseMesh(int32_t mesh);

    // The marks of a mesh; none when there is no such mesh.
    const MeshSelection* MarksOf(int32_t mesh) const;
    // The error raised for a mesh, or a point or line of it, that has no mark.
    void CheckMark(int32_t mesh, bool line, int32_t index) const;
    // Flips one mark. An index outside the mesh's flags is an error raised before anything changes.
    void TogglePointMark(int32_t mesh, int32_t point);
    void ToggleLineMark(int32_t mesh, int32_t line);
    // Every mark of a mesh at once, of the sizes its flags have.
    void SetMarks(int32_t mesh, MeshSelection marks);

    // How a mesh is shown: view state, never saved and no step of the history. A mesh that an edit
    // adds, or that an undo brings back, is shown and unlocked; one replaced in place keeps its state.
    MeshViewState ViewStateOf(int32_t mesh) const;
    void SetViewState(int32_t mesh, MeshViewState state);

    // The clean absolute path of the file, empty when there is none, and what it was when read or
    // last written.
    const std::string& FilePath() const { return Path; }
    const std::optional<FileStamp>& Stamp() const { return Stamped; }
    bool IsModified() const;
    // The object was written to path: that is its file now, and nothing is unsaved.
    void Saved(const std::string& path);
    // The object, read from elsewhere (a recovery copy), is unsaved changes of the file at path, made
    // to it as the stamp says it was; path may be empty, for an object that had no file.
    void TakeOver(const std::string& path, const std::optional<FileStamp>& stamp);

    QUndoStack& History() const { return *Steps; }
    // Edits, each one step on the history.
    void SpliceMeshes(const QString& text, MeshSplice splice);
    // Points of one mesh moved; moves pushed one after another with the same `series` (a drag) merge
    // into one step. A series of 0 never merges.
    // Where a closed outline's first or last point moves alone, the other moves with it.
    void MovePoints(int32_t mesh, std::vector<PointMove> moves, int32_t series = 0);
    // Points of one mesh moved as one step named `text` (a turn, a flip, ...), never merged.
    void MovePoints(const QString& text, int32_t mesh, std::vector<PointMove> moves);
    // The object's centre (CentreX, CentreY) put at (x, y).
    void MoveCentre(float x, float y);
    // Mesh `from` moved to index `to`, the others closing up; the chosen mesh stays chosen.
    void MoveMesh(const QString& text, int32_t from, int32_t to);

signals:
    // Opened, replaced, emptied.
    void ObjectReplaced();
    // Meshes put in place of others by an edit or its undo; the chosen mesh may have changed with them.
    void MeshesChanged();
    void PointsMoved(int32_t mesh);
    void CentreMoved();
    // Mesh -1 for every mesh.
    void MarksChanged(int32_t mesh, quillax::MarkRange points, quillax::MarkRange lines);
    void ChosenMeshChanged(int32_t mesh);
    void FileChanged();
    void ModifiedChanged(bool modified);
    void MeshViewChanged(int32_t mesh);

private:
    friend class MoveCentreCommand;
    friend class MoveMeshCommand;
    friend class MovePointsCommand;
    friend class SpliceMeshesCommand;

    struct OwnModel {
        ObjectFile Object;
        ObjectPlacement Placement;
    };

    void WireHistory();
    MovePointsCommand* MoveStep(int32_t mesh, std::vector<PointMove> moves, int32_t series);
    // What the history's steps do.
    void PutMeshes(int32_t first, size_t removed, const std::vector<MeshState>& in, int32_t chosen);
    void PutPoints(int32_t mesh, const std::vector<PointMove>& moves, bool forward);
    void PutCentre(float x, float y);
    void PutMeshAt(int32_t from, int32_t to);
    // The view states of meshes replaced by others; none are kept until a mesh is hidden or locked.
    void SpliceViews(int32_t first, size_t removed, size_t added);
    MeshSelection& MarksAt(int32_t mesh);
    void SetChosen(int32_t mesh);
    void ForgetFile();

    std::unique_ptr<OwnModel> Own;
    ObjectFile& Model;
    ObjectPlacement& Place;
    int32_t Chosen = -1;
    std::string Path;
    std::optional<FileStamp> Stamped;
    QUndoStack* Steps;
    std::vector<MeshViewState> Views;
};

} // namespace quillax
