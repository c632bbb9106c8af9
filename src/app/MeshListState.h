#pragma once

#include "document/ObjectDocument.h"

#include <QIcon>

class QListWidget;

namespace quillax {

// Shows on the mesh list which meshes are hidden or locked: a closed eye and a padlock before the
// entry, the entry of a hidden mesh greyed, and a tip that says so. The entries keep their texts,
// "Mesh N" by index; while no mesh is hidden or locked the list looks as designed.
class MeshListState {
public:
    MeshListState(QListWidget& list, const ObjectDocument& document);

    // The list's entries shown as the document's meshes are; the list must have an entry per mesh.
    void Show();

private:
    QIcon IconOf(MeshViewState state) const;

    QListWidget& List;
    const ObjectDocument& Document;
    // Whether any entry shows a state now.
    bool Decorated = false;
};

} // namespace quillax
