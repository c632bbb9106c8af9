#pragma once

#include "app/HandlerGuard.h"
#include "document/ObjectDocument.h"

#include <QObject>
#include <QString>

#include <optional>

class QLabel;
class QLineEdit;
class QWidget;

namespace quillax {

// The X and Y fields at the foot of the Controls frame, shown while a mesh is chosen: the marked point
// of the chosen mesh, or the centre of the marked points' bounds, as the shortest text that reads
// back the same float. Return in either places the point (or the marked points together) at what
// the changed fields say; text that is no number is refused in place and nothing moves.
class CoordinateFields : public QObject {
public:
    CoordinateFields(QWidget& frame, HandlerGuard& guard, ObjectDocument& document);

    // The fields follow `before` in the keyboard's order.
    void FollowInTabOrder(QWidget* before);

protected:
    // Escape in a field puts back what it showed, rather than clearing the marks as elsewhere.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct LabelledField {
        QLabel* Label;
        QLineEdit* Field;
    };
    LabelledField AddField(QWidget& frame, const char* name, const QString& label, int left);
    // What the document holds now, shown; typing not yet placed is dropped.
    void Show();
    void Place();
    // The field's float when its text was changed, none when it was not; false when it is no number.
    bool Typed(QLineEdit& field, const QString& shown, std::optional<float>& value);

    HandlerGuard& Guard;
    ObjectDocument& Document;
    LabelledField X;
    LabelledField Y;
    QString ShownX;
    QString ShownY;
};

} // namespace quillax
