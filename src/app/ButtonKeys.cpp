#include "app/ButtonKeys.h"

#include <QAbstractButton>
#include <QShortcut>

namespace quillax {

void GiveKeys(QWidget& window, QAbstractButton* button, std::initializer_list<QKeySequence> keys,
              const char* tip) {
    for (const QKeySequence& key : keys) {
        QObject::connect(new QShortcut(key, &window), &QShortcut::activated, button, &QAbstractButton::click);
    }
    button->setToolTip(tip);
}

} // namespace quillax
