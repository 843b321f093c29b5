#include "support/GameProcess.h"

#include "support/Xvfb.h"

#include <opencv2/imgcodecs.hpp>

#include <array>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

GameProcess::GameProcess(const std::vector<std::string>& extraEnv, const std::string& workingDir,
                         const std::string& program) {
    const std::string path = program.empty() ? std::string(ZARNOWELL_BUILD_DIR) + "/zarnowell" : program;
    const std::string directory = workingDir.empty() ? std::string(ZARNOWELL_BUILD_DIR) : workingDir;
    int out[2];
    int err[2];
    if (pipe(out) != 0 || pipe(err) != 0)
        throw std::runtime_error("pipe failed");
    started_ = std::chrono::steady_clock::now();
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ == 0) {
        if (!dieWithParent(SIGKILL, parent))
            _exit(126);
        dup2(out[1], STDOUT_FILENO);
        dup2(err[1], STDERR_FILENO);
        close(out[0]);
        close(err[0]);
        for (const std::string& entry : extraEnv)
            putenv(const_cast<char*>(entry.c_str()));
        if (chdir(directory.c_str()) != 0)
            _exit(126);
        execl(path.c_str(), "zarnowell", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    outFd_ = out[0];
    errFd_ = err[0];
    fcntl(outFd_, F_SETFL, O_NONBLOCK);
    fcntl(errFd_, F_SETFL, O_NONBLOCK);
}

GameProcess::~GameProcess() {
    if (running()) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    close(outFd_);
    close(errFd_);
}

void GameProcess::drain(int timeoutMs) {
    std::array<pollfd, 2> fds{{{outFd_, POLLIN, 0}, {errFd_, POLLIN, 0}}};
    if (poll(fds.data(), fds.size(), timeoutMs) <= 0)
        return;
    std::array<char, 4096> buffer{};
    for (auto [fd, text] : {std::pair{outFd_, &out_}, std::pair{errFd_, &err_}}) {
        ssize_t n = 0;
        while ((n = read(fd, buffer.data(), buffer.size())) > 0)
            text->append(buffer.data(), static_cast<size_t>(n));
    }
}

std::optional<std::chrono::milliseconds> GameProcess::waitForLine(const std::string& line,
                                                                  std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        drain(10);
        if (out_.starts_with(line + "\n") || out_.find("\n" + line + "\n") != std::string::npos)
            return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                         started_);
        if (!running())
            break;
    }
    return std::nullopt;
}

bool GameProcess::running() {
    if (status_)
        return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return false;
    }
    return true;
}

std::optional<int> GameProcess::waitForExit(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (running() && std::chrono::steady_clock::now() < deadline)
        drain(10);
    drain(0);
    if (!status_ || *status_ < 0)
        return std::nullopt;
    return status_;
}

const std::string& GameProcess::output() {
    drain(0);
    return out_;
}

const std::string& GameProcess::errors() {
    drain(0);
    return err_;
}

bool xdotool(const std::string& arguments) {
    return std::system(("xdotool " + arguments).c_str()) == 0;
}

cv::Mat grabScreen() {
    char path[] = "/tmp/zarnowell-shot-XXXXXX.png";
    const int fd = mkstemps(path, 4);
    if (fd < 0)
        return {};
    close(fd);
    cv::Mat shot;
    if (std::system(("import -window root " + std::string(path) + " 2>/dev/null").c_str()) == 0)
        shot = cv::imread(path, cv::IMREAD_COLOR);
    unlink(path);
    return shot;
}
