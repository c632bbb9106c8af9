#include "app/QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace quillax {

QtMessageBox::QtMessageBox() : Previous(SetMessageBoxService(this)) {}

QtMessageBox::~QtMessageBox() {
    SetMessageBoxService(Previous);
}

int32_t QtMessageBox::Show(const std::string& prompt, int32_t style, const std::string& title) {
    QString text = QString::fromStdString(prompt);
    text.replace("\r\n", "\n");
    const auto icon = style & MsgBoxStyle::Critical ? QMessageBox::Critical : QMessageBox::NoIcon;
    QMessageBox box(icon, QString::fromStdString(title), text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
    return 1;
}

} // namespace quillax
