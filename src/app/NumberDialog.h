#pragma once

#include "document/TransformEdits.h"

#include <QDialog>
#include <QString>

#include <utility>
#include <vector>

class QCheckBox;
class QDialogButtonBox;
class QFormLayout;
class QLineEdit;
class QRadioButton;

namespace quillax {

// A small dialog asking for numbers (an angle, factors, a centre), and for a turn or a scale what to
// make it about. It closes with OK only when every field it asks for holds what it takes; a field
// that does not is refused in place.
class NumberDialog : public QDialog {
public:
    NumberDialog(QWidget* parent, const QString& title);

    // A labelled field showing `text`, found by its object name `name`; `single` when it takes a float.
    QLineEdit* AddField(const char* name, const QString& label, const QString& text, bool single = false);
    QCheckBox* AddCheck(const char* name, const QString& label);
    void AddAboutChoice(TransformAbout about);
    TransformAbout About() const;

    void accept() override;

private:
    QFormLayout* Form;
    QDialogButtonBox* Buttons;
    // Each field, and whether it takes a float.
    std::vector<std::pair<QLineEdit*, bool>> Fields;
    QRadioButton* AboutObject = nullptr;
};

} // namespace quillax
