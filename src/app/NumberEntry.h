#pragma once

#include <QString>

#include <optional>

class QLineEdit;

namespace quillax {

// Fields that take a number: what they hold read as a number or a float, and text that is no number
// refused in place (shown as refused, with a tip saying what is wanted, until it is typed over).
std::optional<double> NumberIn(const QLineEdit& field);
std::optional<float> FloatIn(const QLineEdit& field);
void ShowRefused(QLineEdit& field, bool refused);
// The shortest text that reads back as the same float.
QString FloatField(float value);

} // namespace quillax
