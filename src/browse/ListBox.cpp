#include "browse/ListBox.h"

#include "platform/RuntimeError.h"

namespace quillax {

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        ChosenRow = static_cast<int16_t>(row);
        if (!Clearing) {
            emit Click();
        }
    });
}

int16_t ListBox::ListIndex() const {
    return ChosenRow;
}

void ListBox::SetListIndex(int32_t index) {
    if (index < -1 || index >= count()) {
        RaiseError(ErrNo::InvalidPropertyValue, "ListIndex " + std::to_string(index));
    }
    setCurrentRow(index);
}

void ListBox::AddItem(const std::string& text) {
    addItem(QString::fromStdString(text));
}

void ListBox::Clear() {
    Clearing = true;
    clear();
    Clearing = false;
}

} // namespace quillax
