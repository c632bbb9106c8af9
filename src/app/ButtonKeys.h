#pragma once

#include <QKeySequence>

#include <initializer_list>

class QAbstractButton;
class QWidget;

namespace quillax {

// Keys anywhere in the window that press the button, as a click on it does, and its tooltip naming them.
void GiveKeys(QWidget& window, QAbstractButton* button, std::initializer_list<QKeySequence> keys,
              const char* tip);

} // namespace quillax
