// A native program started by a test (net-snmp's snmpd, snmpget): fork and
// exec, output to a file, killed and reaped when the object goes, so a
// failing test leaves no agent behind.
#ifndef PAT_HOST_TESTS_CHILD_PROCESS_H
#define PAT_HOST_TESTS_CHILD_PROCESS_H

#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace pathost::test {

class ChildProcess {
public:
    // The program's stdout and stderr go to outputPath; exec failure exits 127.
    ChildProcess(std::vector<std::string> argv, std::string outputPath) : output_(std::move(outputPath)) {
        std::vector<char *> args;
        for (std::string &arg : argv) args.push_back(arg.data());
        args.push_back(nullptr);
        pid_ = fork();
        if (pid_ == 0) {
            int fd = open(output_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd >= 0) dup2(fd, 1), dup2(fd, 2);
            execv(args[0], args.data());
            _exit(127);
        }
    }
    ~ChildProcess() {
        if (pid_ > 0 && status_ < 0) {
            kill(pid_, SIGTERM);
            Wait();
        }
    }
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    bool started() const { return pid_ > 0; }
    // The exit status (128 + signal for a killed program).
    int Wait() {
        int raw = 0;
        if (status_ < 0 && waitpid(pid_, &raw, 0) == pid_)
            status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        return status_;
    }
    std::string Output() const {
        std::ifstream in(output_);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

private:
    std::string output_;
    pid_t pid_ = -1;
    int status_ = -1;
};

// A temporary folder for one test's files, removed with them.
class ScratchDir {
public:
    ScratchDir() {
        char name[] = "/tmp/pat-host-test-XXXXXX";
        path_ = mkdtemp(name) ? name : "/tmp";
    }
    ~ScratchDir() {
        std::error_code ignored;
        if (path_ != "/tmp") std::filesystem::remove_all(path_, ignored);
    }
    std::string File(const std::string &name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

}  // namespace pathost::test

#endif
