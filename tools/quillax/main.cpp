#include "platform/FileDescriptor.h"
#include "quillax/CliMain.h"
#include "quillax/DescriptorBuffer.h"

#include <QCoreApplication>
#include <QtGlobal>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <new>
#include <unistd.h>

using namespace quillax;

namespace {
// What Qt says on its way to a failure (a codec's "libpng error: Write Error", an image it could not
// allocate) repeats what the command reports itself, in its own words, on one line.
void KeepQtQuiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "quillax: %s\n", qPrintable(message));
    }
}

// Whatever the command printed must have arrived: a failed or short write to standard output or
// error fails the run.
int Finished(int status, DescriptorBuffer& out, DescriptorBuffer& err, std::ostream& errors) {
    if (!out.Flush()) {
        errors << "quillax: cannot write standard output: " << SystemReason(out.Error()) << "\n";
        status = status == ExitStatus::Ok ? ExitStatus::Failed : status;
    }
    if (!err.Flush()) {
        status = status == ExitStatus::Ok ? ExitStatus::Failed : status;
    }
    return status;
}
} // namespace

int main(int argc, char** argv) {
    // A file-size limit is then a write that fails with "File too large", which the command reports.
    std::signal(SIGXFSZ, SIG_IGN);
    qInstallMessageHandler(KeepQtQuiet);
    // The formats the commands read and write are built into Qt: a search for plugins would load
    // every image plugin installed, at every start.
    QCoreApplication::setLibraryPaths({});
    DescriptorBuffer outBuffer(STDOUT_FILENO);
    DescriptorBuffer errBuffer(STDERR_FILENO);
    std::ostream out(&outBuffer);
    std::ostream err(&errBuffer);
    err << std::unitbuf;
    int status = ExitStatus::Failed;
    try {
        status = RunQuillax(CliContext{std::vector<std::string>(argv + 1, argv + argc), out, err});
    } catch (const std::bad_alloc&) {
        // Caught, so every output file being written is discarded on the way out.
        err << "quillax: out of memory\n";
    }
    return Finished(status, outBuffer, errBuffer, err);
}
