#include "app/MeshClipboard.h"

#include "document/EditSupport.h"
#include "document/StructureEdits.h"
#include "objectjson/ObjectJson.h"
#include "objects/ObjectFileBytes.h"
#include "platform/RuntimeError.h"

#include <QClipboard>
#include <QMimeData>

namespace quillax {

namespace {
std::optional<std::vector<Mesh>> MeshesOfBytes(const QByteArray& bytes) {
    ObjectFile object;
    ObjectPlacement placement;
    try {
        if (LoadObjectBytes({bytes.begin(), bytes.end()}, "the clipboard", object, placement)) {
            return std::move(object.Meshes);
        }
    } catch (const RuntimeError&) {
        // Bytes that do not read whole are no meshes.
    }
    return std::nullopt;
}

std::optional<std::vector<Mesh>> MeshesOfText(const QString& text) {
    ObjectImport imported = ObjectFromJsonList(text.toStdString());
    if (!imported.Object) {
        return std::nullopt;
    }
    return std::move(imported.Object->Meshes);
}
} // namespace

std::unique_ptr<QMimeData> MeshesMimeData(const std::vector<Mesh>& meshes, float centreX, float centreY) {
    ObjectFile object;
    object.CentreX = centreX;
    object.CentreY = centreY;
    object.Meshes = meshes;
    object.MeshCount = static_cast<int16_t>(meshes.size());
    const std::vector<uint8_t> bytes = ObjectFileBytes(object);
    auto data = std::make_unique<QMimeData>();
    data->setData(MeshesMimeType, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                             static_cast<qsizetype>(bytes.size())));
    data->setText(QString::fromStdString("[\n" + ObjectJsonText(object, {true, true, {}}) + "\n]\n"));
    return data;
}

std::optional<std::vector<Mesh>> MeshesFromMimeData(const QMimeData* data) {
    if (data == nullptr) {
        return std::nullopt;
    }
    if (data->hasFormat(MeshesMimeType)) {
        return MeshesOfBytes(data->data(MeshesMimeType));
    }
    return data->hasText() ? MeshesOfText(data->text()) : std::nullopt;
}

MeshClipboard::MeshClipboard(ObjectDocument& document, QClipboard& clipboard, QObject* parent)
    : QObject(parent), Document(document), Board(clipboard) {
    connect(&Board, &QClipboard::dataChanged, this, &MeshClipboard::ClipboardChanged);
    Pasteable = MeshesFromMimeData(Board.mimeData()).has_value();
}

void MeshClipboard::Copy() {
    if (const std::optional<std::vector<Mesh>> meshes = CopiedMeshes(Document)) {
        Put(*meshes);
    }
}

void MeshClipboard::Cut() {
    const std::optional<std::vector<Mesh>> meshes = CopiedMeshes(Document);
    if (meshes && !Refused(CannotCut(Document))) {
        Put(*meshes);
        DeleteCut(Document);
    }
}

void MeshClipboard::Paste() {
    if (std::optional<std::vector<Mesh>> meshes = MeshesFromMimeData(Board.mimeData())) {
        PasteMeshes(Document, std::move(*meshes), "Paste");
    }
}

void MeshClipboard::Duplicate() {
    if (std::optional<std::vector<Mesh>> meshes = CopiedMeshes(Document)) {
        PasteMeshes(Document, std::move(*meshes), "Duplicate");
    }
}

void MeshClipboard::Put(const std::vector<Mesh>& meshes) {
    Board.setMimeData(MeshesMimeData(meshes, Document.Object().CentreX, Document.Object().CentreY).release());
}

void MeshClipboard::ClipboardChanged() {
    const bool pasteable = MeshesFromMimeData(Board.mimeData()).has_value();
    if (pasteable != Pasteable) {
        Pasteable = pasteable;
        emit PasteableChanged(Pasteable);
    }
}

} // namespace quillax
