// Child processes for the command-line tests: fork, redirect to files, exec, wait.
#include "cli/run_program.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <thread>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace varnokit::testing {

std::string makeTempFolder() {
    std::string pattern = "/tmp/varnokit-cli-test-XXXXXX";
    const char* made = mkdtemp(pattern.data());
    return made ? std::string(made) : std::string();
}

std::string readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::string& stdinBytes, double interruptAfter, const ProgramSetting& setting) {
    const std::string folder = makeTempFolder();
    const std::string inPath = folder + "/stdin", outPath = folder + "/stdout", errPath = folder + "/stderr";
    writeFileBytes(inPath, stdinBytes);

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    // A pipe whose read end is closed before the program writes to it.
    int closedPipe[2] = {-1, -1};
    if (setting.outputClosed && pipe(closedPipe) != 0) return ProgramRun{};
    if (setting.outputClosed) close(closedPipe[0]);

    const auto start = std::chrono::steady_clock::now();
    ProgramRun run;
    const pid_t pid = fork();
    if (pid == 0) {
        const int in = open(inPath.c_str(), O_RDONLY);
        const int out = setting.outputClosed    ? closedPipe[1]
                        : setting.discardOutput ? open("/dev/null", O_WRONLY)
                                                : open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || err < 0) _exit(127);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        // The program decides for itself what a closed pipe does to it.
        signal(SIGPIPE, SIG_DFL);
        if (setting.addressSpace > 0) {
            rlimit limit{};
            limit.rlim_cur = limit.rlim_max = setting.addressSpace;
            setrlimit(RLIMIT_AS, &limit);
        }
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    if (setting.outputClosed) close(closedPipe[1]);
    if (pid > 0 && interruptAfter > 0) {
        std::this_thread::sleep_for(std::chrono::duration<double>(interruptAfter));
        kill(pid, SIGINT);
    }
    int wstatus = 0;
    rusage usage{};
    if (pid > 0 && wait4(pid, &wstatus, 0, &usage) == pid) {
        if (WIFEXITED(wstatus)) run.status = WEXITSTATUS(wstatus);
        if (WIFSIGNALED(wstatus)) run.signal = WTERMSIG(wstatus);
        run.peakKib = usage.ru_maxrss;
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.out = readFileBytes(outPath);
    run.err = readFileBytes(errPath);
    unlink(inPath.c_str());
    unlink(outPath.c_str());
    unlink(errPath.c_str());
    rmdir(folder.c_str());
    return run;
}

}  // namespace varnokit::testing
