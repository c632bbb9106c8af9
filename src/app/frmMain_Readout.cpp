#include "app/frmMain.h"

#include "app/PathText.h"

#include "browse/ListBox.h"
#include "browse/StripTips.h"
#include "platform/Counted.h"

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

QString MeshLines(std::optional<int32_t> shown) {
    if (!shown || static_cast<size_t>(*shown) >= CurrentPlacement.Selections.size()) {
        return "No mesh chosen";
    }
    const int32_t chosen = *shown;
    const MeshSelection& marks = CurrentPlacement.Selections[static_cast<size_t>(chosen)];
    return QString("Mesh %1: %2\nMarked: %3, %4")
        .arg(chosen)
        .arg(QString::fromStdString(
            Counted(PointsOf(CurrentObject.Meshes[static_cast<size_t>(chosen)]), "point", "points")))
        .arg(QString::fromStdString(Counted(MarkedIn(marks.PointFlags), "point", "points")))
        .arg(QString::fromStdString(Counted(MarkedIn(marks.LineFlags), "line", "lines")));
}
} // namespace

// Built once a handler, where what it tells can change; a pointer move only redoes the pointer line.
void frmMain::ShowReadout() {
    ReadoutLines = FileLine(CurrentFile) + "\n" + MeshLines(ChosenMesh()) +
                   "\nZoom: " + QString::fromStdString(NumberText(Scene.ViewScale));
    lblReadout->setToolTip(PathText(CurrentFile));
    ShowPointer();
}

void frmMain::ShowPointer() {
    QString text = ReadoutLines;
    if (PointerAt) {
        const ModelPoint point =
            ScreenToModel(Scene.View(), PositionUnder(PointerAt->x()), PositionUnder(PointerAt->y()));
        text += "\nPointer: " + QString::fromStdString(CoordinatesText(static_cast<float>(point.X),
                                                                       static_cast<float>(point.Y)));
    }
    lblReadout->setText(text);
}

} // namespace quillax
