#include <QString>
#include <QtGlobal>
#include <gtest/gtest.h>

// The offscreen platform warns each time a window's minimum size changes, which the editor's
// minimum-size hook does on purpose; every other message goes on to Qt's handler.
namespace {
QtMessageHandler QtHandler = nullptr;

void DropSizeHintWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message != QLatin1String("This plugin does not support propagateSizeHints()")) {
        QtHandler(type, context, message);
    }
}

class QuietOffscreen : public ::testing::Environment {
public:
    void SetUp() override { QtHandler = qInstallMessageHandler(DropSizeHintWarnings); }
};

[[maybe_unused]] const auto* const Quiet = ::testing::AddGlobalTestEnvironment(new QuietOffscreen);
} // namespace
