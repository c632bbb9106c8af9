#include "support/ProgramRun.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <pthread.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include <chrono>

extern char** environ;

namespace quillax {

namespace {
std::vector<std::string> ChildEnvironment(const std::vector<std::string>& changes) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        result.emplace_back(*entry);
    }
    for (const std::string& change : changes) {
        const std::string name = change.substr(0, change.find('='));
        std::erase_if(result, [&](const std::string& entry) { return entry.starts_with(name + "="); });
        if (change.find('=') != std::string::npos) {
            result.push_back(change);
        }
    }
    return result;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

std::string ReadBack(FILE* file) {
    std::string text;
    std::rewind(file);
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        text.append(buffer, got);
    }
    std::fclose(file);
    return text;
}

// Only async-signal-safe calls between fork and exec.
[[noreturn]] void StartChild(char* const* argv, char* const* envp, int in, FILE* out, FILE* err,
                             const ProgramSetup& setup) {
    if (in >= 0) {
        dup2(in, STDIN_FILENO);
    }
    dup2(fileno(out), STDOUT_FILENO);
    dup2(fileno(err), STDERR_FILENO);
    const rlimit fileSize{setup.FileSizeLimit, setup.FileSizeLimit};
    setrlimit(RLIMIT_FSIZE, &fileSize);
    const rlimit addressSpace{setup.AddressSpaceLimit, setup.AddressSpaceLimit};
    setrlimit(RLIMIT_AS, &addressSpace);
    if (setup.User && (setgroups(setup.Groups.size(), setup.Groups.data()) != 0 ||
                       setgid(setup.Groups.empty() ? *setup.User : setup.Groups.front()) != 0 ||
                       setuid(*setup.User) != 0)) {
        _exit(127);
    }
    const rlimit processes{setup.ProcessLimit, setup.ProcessLimit};
    setrlimit(RLIMIT_NPROC, &processes);
    execve(argv[0], argv, envp);
    _exit(127);
}

// The program's standard input: a regular file holding input, or the read end of a pipe that
// Feed fills. -1 for none.
struct StandardInput {
    int Descriptor = -1;
    int Writer = -1;
};

StandardInput MakeInput(const ProgramSetup& setup) {
    if (!setup.Input) {
        return {};
    }
    if (setup.InputIsFile) {
        FILE* file = std::tmpfile();
        const bool written =
            file != nullptr &&
            std::fwrite(setup.Input->data(), 1, setup.Input->size(), file) == setup.Input->size() &&
            std::fflush(file) == 0;
        const int descriptor = written ? fcntl(fileno(file), F_DUPFD_CLOEXEC, 0) : -1;
        if (file != nullptr) {
            std::fclose(file);
        }
        if (descriptor < 0) {
            throw std::runtime_error("no temporary file for a program's input");
        }
        lseek(descriptor, 0, SEEK_SET);
        return {descriptor, -1};
    }
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        throw std::runtime_error("no pipe for a program's input");
    }
    return {ends[0], ends[1]};
}

// Writes the input into the pipe and closes it; a program that stops reading ends the writing.
void Feed(int writer, const std::string& input) {
    sigset_t pipeSignal;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);
    for (size_t at = 0; at < input.size();) {
        const ssize_t wrote = write(writer, input.data() + at, input.size() - at);
        if (wrote <= 0) {
            break;
        }
        at += static_cast<size_t>(wrote);
    }
    close(writer);
}
} // namespace

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const ProgramSetup& setup) {
    std::vector<std::string> argvTexts = {program};
    argvTexts.insert(argvTexts.end(), arguments.begin(), arguments.end());
    std::vector<std::string> envTexts = ChildEnvironment(setup.Environment);
    const std::vector<char*> argv = Pointers(argvTexts);
    const std::vector<char*> envp = Pointers(envTexts);
    FILE* out = std::tmpfile();
    FILE* err = std::tmpfile();
    if (out == nullptr || err == nullptr) {
        throw std::runtime_error("no temporary file for the output of " + program);
    }
    const StandardInput input = MakeInput(setup);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        StartChild(argv.data(), envp.data(), input.Descriptor, out, err, setup);
    }
    if (input.Descriptor >= 0) {
        close(input.Descriptor);
    }
    if (child < 0) {
        throw std::runtime_error("cannot start " + program);
    }
    std::thread feeder;
    if (input.Writer >= 0) {
        feeder = std::thread(Feed, input.Writer, *setup.Input);
    }
    ProgramRun run;
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, WNOHANG, &usage) == 0) {
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        if (elapsed.count() > setup.KillAfterSeconds) {
            kill(child, SIGKILL);
            wait4(child, &status, 0, &usage);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (feeder.joinable()) {
        feeder.join();
    }
    run.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    run.PeakKilobytes = usage.ru_maxrss;
    run.Out = ReadBack(out);
    run.Err = ReadBack(err);
    return run;
}

} // namespace quillax
