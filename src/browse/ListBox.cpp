#include "browse/ListBox.h"

#include "platform/RuntimeError.h"

#include <QKeyEvent>
#include <QScopedValueRollback>

namespace quillax {

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        ChosenRow = static_cast<int16_t>(row);
        if (!Quiet) {
            emit Click();
        }
    });
}

// The window's keys act whichever control has the focus: the list does not keep Home, Escape or
// Ctrl+A for itself (with one entry chosen at a time they would move to the first entry, or do nothing).
bool ListBox::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Home || key->key() == Qt::Key_Escape ||
            key->matches(QKeySequence::SelectAll)) {
            event->ignore();
            return true;
        }
    }
    return QListWidget::event(event);
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
    const QScopedValueRollback<bool> quiet(Quiet, true);
    clear();
}

void ListBox::RemoveLastItem() {
    const QScopedValueRollback<bool> quiet(Quiet, true);
    delete takeItem(count() - 1);
}

void ListBox::SetListIndexQuietly(int32_t index) {
    const QScopedValueRollback<bool> quiet(Quiet, true);
    SetListIndex(index);
}

void ListBox::ShowQuietly(int32_t index) {
    if (index != ListIndex() && index >= -1 && index < count()) {
        SetListIndexQuietly(index);
    }
}

void FitMeshEntries(ListBox& list, int32_t count) {
    while (list.ListCount() > count) {
        list.RemoveLastItem();
    }
    while (list.ListCount() < count) {
        list.AddItem("Mesh " + std::to_string(list.ListCount()));
    }
}

} // namespace quillax
