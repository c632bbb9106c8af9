#include "app/CoordinateFields.h"

#include "app/NumberEntry.h"
#include "document/PointTransforms.h"
#include "document/TransformEdits.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace quillax {

namespace {
// Below the readout, in the frame's free space.
constexpr int FieldsTop = 360;
constexpr int FieldWidth = 92;
constexpr int FieldHeight = 22;
constexpr int LabelWidth = 14;
} // namespace

CoordinateFields::CoordinateFields(QWidget& frame, HandlerGuard& guard, ObjectDocument& document)
    : Guard(guard), Document(document), X(AddField(frame, "txtPointX", "X:", 16)),
      Y(AddField(frame, "txtPointY", "Y:", 128)) {
    connect(&document, &ObjectDocument::ObjectReplaced, this, &CoordinateFields::Show);
    connect(&document, &ObjectDocument::MeshesChanged, this, &CoordinateFields::Show);
    connect(&document, &ObjectDocument::PointsMoved, this, &CoordinateFields::Show);
    connect(&document, &ObjectDocument::MarksChanged, this, &CoordinateFields::Show);
    connect(&document, &ObjectDocument::ChosenMeshChanged, this, &CoordinateFields::Show);
    Show();
}

void CoordinateFields::FollowInTabOrder(QWidget* before) {
    QWidget::setTabOrder(before, X.Field);
    QWidget::setTabOrder(X.Field, Y.Field);
}

CoordinateFields::LabelledField CoordinateFields::AddField(QWidget& frame, const char* name,
                                                           const QString& label, int left) {
    auto* caption = new QLabel(label, &frame);
    caption->setGeometry(left, FieldsTop, LabelWidth, FieldHeight);
    auto* field = new QLineEdit(&frame);
    field->setObjectName(name);
    field->setGeometry(left + LabelWidth, FieldsTop, FieldWidth, FieldHeight);
    caption->setBuddy(field);
    connect(field, &QLineEdit::textEdited, this, [field] { ShowRefused(*field, false); });
    field->installEventFilter(this);
    connect(field, &QLineEdit::returnPressed, this, [this] { Guard.Run([this] { Place(); }); });
    return {caption, field};
}

bool CoordinateFields::eventFilter(QObject* watched, QEvent* event) {
    const bool field = watched == X.Field || watched == Y.Field;
    const bool escape = (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
                        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
    if (!field || !escape) {
        return false;
    }
    event->accept();
    if (event->type() == QEvent::KeyPress) {
        Show();
    }
    return true;
}

void CoordinateFields::Show() {
    const bool chosen = Document.HasChosenMesh();
    std::optional<PointBounds> bounds;
    if (chosen) {
        const Mesh& mesh = Document.Object().Meshes[static_cast<size_t>(Document.ChosenMesh())];
        bounds = BoundsOf(mesh, MarkedPoints(*Document.MarksOf(Document.ChosenMesh())));
    }
    ShownX = bounds ? FloatField(static_cast<float>(bounds->Centre().X)) : QString();
    ShownY = bounds ? FloatField(static_cast<float>(bounds->Centre().Y)) : QString();
    for (const auto& [shown, entry] : {std::pair{ShownX, X}, std::pair{ShownY, Y}}) {
        entry.Field->setText(shown);
        ShowRefused(*entry.Field, false);
        entry.Field->setEnabled(bounds.has_value());
        entry.Field->setVisible(chosen);
        entry.Label->setVisible(chosen);
    }
}

bool CoordinateFields::Typed(QLineEdit& field, const QString& shown, std::optional<float>& value) {
    value.reset();
    if (field.text() == shown) {
        return true;
    }
    value = FloatIn(field);
    ShowRefused(field, !value);
    if (!value) {
        field.setFocus();
        field.selectAll();
    }
    return value.has_value();
}

void CoordinateFields::Place() {
    std::optional<float> x;
    std::optional<float> y;
    if (Typed(*X.Field, ShownX, x) && Typed(*Y.Field, ShownY, y)) {
        MovePointsTo(Document, x, y);
    }
}

} // namespace quillax
