#include "support/ProgramRun.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
[[noreturn]] void StartChild(char* const* argv, char* const* envp, FILE* out, FILE* err,
                             const ProgramSetup& setup) {
    dup2(fileno(out), STDOUT_FILENO);
    dup2(fileno(err), STDERR_FILENO);
    const rlimit fileSize{setup.FileSizeLimit, setup.FileSizeLimit};
    setrlimit(RLIMIT_FSIZE, &fileSize);
    const rlimit addressSpace{setup.AddressSpaceLimit, setup.AddressSpaceLimit};
    setrlimit(RLIMIT_AS, &addressSpace);
    signal(SIGXFSZ, SIG_IGN);
    execve(argv[0], argv, envp);
    _exit(127);
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
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        StartChild(argv.data(), envp.data(), out, err, setup);
    }
    if (child < 0) {
        throw std::runtime_error("cannot start " + program);
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
    run.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    run.PeakKilobytes = usage.ru_maxrss;
    run.Out = ReadBack(out);
    run.Err = ReadBack(err);
    return run;
}

} // namespace quillax
