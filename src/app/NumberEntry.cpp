#include "app/NumberEntry.h"

#include "platform/NumberTexts.h"
#include "platform/TypedNumber.h"

#include <QLineEdit>

namespace quillax {

namespace {
constexpr const char* RefusedLook = "QLineEdit { background: #f4c2c2; color: black; }";
constexpr const char* RefusedTip = "Not a number: type one such as 12.5, -4 or 1e3";
} // namespace

std::optional<double> NumberIn(const QLineEdit& field) {
    return TypedNumber(field.text().toStdString());
}

std::optional<float> FloatIn(const QLineEdit& field) {
    return TypedFloat(field.text().toStdString());
}

void ShowRefused(QLineEdit& field, bool refused) {
    field.setStyleSheet(refused ? RefusedLook : "");
    field.setToolTip(refused ? RefusedTip : "");
}

QString FloatField(float value) {
    return QString::fromStdString(FloatText(value));
}

} // namespace quillax
