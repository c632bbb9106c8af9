#include "app/QtMessageBox.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

namespace quillax {

QtMessageBox::QtMessageBox() : Previous(SetMessageBoxService(this)) {}

QtMessageBox::~QtMessageBox() {
    SetMessageBoxService(Previous);
}

namespace {
QString BoxText(const std::string& prompt) {
    QString text = QString::fromStdString(prompt);
    text.replace("\r\n", "\n");
    return text;
}

// The box is centred on the editor's window, also while no window is active (at start-up, or behind
// another program's).
QWidget* OwnerWindow() {
    if (QWidget* active = QApplication::activeWindow()) {
        return active;
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && qobject_cast<QMainWindow*>(window) != nullptr) {
            return window;
        }
    }
    return nullptr;
}

QMessageBox::Icon IconOf(int32_t style) {
    switch (style & 0x70) {
    case MsgBoxStyle::Critical:
        return QMessageBox::Critical;
    case MsgBoxStyle::Exclamation:
        return QMessageBox::Warning;
    default:
        return QMessageBox::NoIcon;
    }
}
} // namespace

// A Yes/No/Cancel question is about unsaved changes: its buttons say Save, Discard and Cancel.
int32_t QtMessageBox::Show(const std::string& prompt, int32_t style, const std::string& title) {
    const QString text = BoxText(prompt);
    const bool question = (style & 0x7) == MsgBoxStyle::YesNoCancel;
    const bool okCancel = (style & 0x7) == MsgBoxStyle::OkCancel;
    QMessageBox box(IconOf(style), QString::fromStdString(title), text,
                    question   ? QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel
                    : okCancel ? QMessageBox::Ok | QMessageBox::Cancel
                               : QMessageBox::Ok,
                    OwnerWindow());
    if (question) {
        box.setDefaultButton(QMessageBox::Save);
        box.setEscapeButton(QMessageBox::Cancel);
    }
    switch (box.exec()) {
    case QMessageBox::Save:
        return MsgBoxResult::Yes;
    case QMessageBox::Discard:
        return MsgBoxResult::No;
    case QMessageBox::Cancel:
        return MsgBoxResult::Cancel;
    default:
        return MsgBoxResult::Ok;
    }
}

size_t QtMessageBox::Ask(const std::string& prompt, const std::vector<std::string>& answers, size_t preferred,
                         const std::string& title) {
    QMessageBox box(QMessageBox::Warning, QString::fromStdString(title), BoxText(prompt),
                    QMessageBox::NoButton, OwnerWindow());
    std::vector<QPushButton*> buttons;
    for (size_t i = 0; i < answers.size(); ++i) {
        const bool last = i + 1 == answers.size();
        buttons.push_back(box.addButton(QString::fromStdString(answers[i]),
                                        last ? QMessageBox::RejectRole : QMessageBox::AcceptRole));
    }
    if (buttons.empty()) {
        return 0;
    }
    box.setDefaultButton(buttons[std::min(preferred, buttons.size() - 1)]);
    box.setEscapeButton(buttons.back());
    box.exec();
    const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
    return chosen == buttons.end() ? buttons.size() - 1 : static_cast<size_t>(chosen - buttons.begin());
}

} // namespace quillax
