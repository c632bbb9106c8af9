#include "app/NumberDialog.h"

#include "app/NumberEntry.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quillax {

NumberDialog::NumberDialog(QWidget* parent, const QString& title)
    : QDialog(parent), Form(new QFormLayout),
      Buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel)) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(Form);
    layout->addWidget(Buttons);
    connect(Buttons, &QDialogButtonBox::accepted, this, &NumberDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &NumberDialog::reject);
}

QLineEdit* NumberDialog::AddField(const char* name, const QString& label, const QString& text, bool single) {
    auto* field = new QLineEdit(text, this);
    field->setObjectName(name);
    connect(field, &QLineEdit::textEdited, this, [field] { ShowRefused(*field, false); });
    Form->addRow(label, field);
    Fields.emplace_back(field, single);
    return field;
}

QCheckBox* NumberDialog::AddCheck(const char* name, const QString& label) {
    auto* check = new QCheckBox(label, this);
    check->setObjectName(name);
    Form->addRow(check);
    return check;
}

void NumberDialog::AddAboutChoice(TransformAbout about) {
    auto* group = new QGroupBox("About", this);
    auto* marked = new QRadioButton("Centre of the &marked points", group);
    marked->setObjectName("optAboutMarked");
    AboutObject = new QRadioButton("Centre of the &object", group);
    AboutObject->setObjectName("optAboutObject");
    (about == TransformAbout::ObjectCentre ? AboutObject : marked)->setChecked(true);
    auto* choices = new QVBoxLayout(group);
    choices->addWidget(marked);
    choices->addWidget(AboutObject);
    Form->addRow(group);
}

TransformAbout NumberDialog::About() const {
    return AboutObject != nullptr && AboutObject->isChecked() ? TransformAbout::ObjectCentre
                                                              : TransformAbout::MarkedPoints;
}

// A field that is no number keeps its text, shown as refused, and takes the keyboard.
void NumberDialog::accept() {
    QLineEdit* first = nullptr;
    for (const auto& [field, single] : Fields) {
        const bool taken = single ? FloatIn(*field).has_value() : NumberIn(*field).has_value();
        ShowRefused(*field, !taken);
        if (!taken && first == nullptr) {
            first = field;
        }
    }
    if (first != nullptr) {
        first->setFocus();
        first->selectAll();
        return;
    }
    QDialog::accept();
}

} // namespace quillax
