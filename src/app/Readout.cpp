#include "app/Readout.h"

#include "app/MeasureText.h"
#include "app/PathText.h"

#include "browse/StripTips.h"
#include "platform/Counted.h"
#include "platform/NumberTexts.h"
#include "view/ViewNavigation.h"

#include <QFileInfo>
#include <QLabel>

#include <algorithm>

namespace quillax {

namespace {
int64_t MarkedIn(const std::vector<int16_t>& flags) {
    return std::count_if(flags.begin(), flags.end(), [](int16_t flag) { return flag != 0; });
}

QString FileLine(const std::string& file) {
    if (file.empty()) {
        return "No file";
    }
    return QFileInfo(PathText(file)).fileName();
}

QString MeshLines(const ObjectDocument& document) {
    const MeshSelection* marks = document.MarksOf(document.ChosenMesh());
    if (!document.HasChosenMesh() || marks == nullptr) {
        return "No mesh chosen";
    }
    const int32_t chosen = document.ChosenMesh();
    return QString("Mesh %1: %2\nMarked: %3, %4")
        .arg(chosen)
        .arg(QString::fromStdString(
            Counted(PointsOf(document.Object().Meshes[static_cast<size_t>(chosen)]), "point", "points")))
        .arg(QString::fromStdString(Counted(MarkedIn(marks->PointFlags), "point", "points")))
        .arg(QString::fromStdString(Counted(MarkedIn(marks->LineFlags), "line", "lines")));
}
} // namespace

void Readout::Show() {
    Lines = FileLine(Document.FilePath()) + "\n" + MeshLines(Document) +
            "\nZoom: " + QString::fromStdString(FloatText(Scene.ViewScale));
    if (const QString measure = MeasureText(Document, Dragged); !measure.isEmpty()) {
        Lines += "\n" + measure;
    }
    Label.setToolTip(PathText(Document.FilePath()));
    ShowPointer();
}

void Readout::PointerAt(std::optional<QPointF> pointer) {
    Pointer = pointer;
    ShowPointer();
}

void Readout::ShowPointer() {
    QString text = Lines;
    if (Pointer) {
        const ModelPoint point =
            ScreenToModel(Scene.View(), PositionUnder(Pointer->x()), PositionUnder(Pointer->y()));
        text += "\nPointer: " + QString::fromStdString(CoordinatesText(static_cast<float>(point.X),
                                                                       static_cast<float>(point.Y)));
    }
    Label.setText(text);
}

} // namespace quillax
