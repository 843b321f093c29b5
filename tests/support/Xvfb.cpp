#include "support/Xvfb.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

bool dieWithParent(int signal, pid_t parent) {
    return prctl(PR_SET_PDEATHSIG, signal) == 0 && getppid() == parent;
}

XvfbServer::XvfbServer(int width, int height) {
    int fds[2];
    if (pipe(fds) != 0)
        throw std::runtime_error("pipe failed");
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ == 0) {
        if (!dieWithParent(SIGTERM, parent))
            _exit(126);
        close(fds[0]);
        // Xvfb is chatty about fonts and extensions; none of that concerns a test.
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        const std::string fd = std::to_string(fds[1]);
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        // Xvfb picks a free display itself and writes its number to the descriptor.
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
               "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    pollfd waiter{fds[0], POLLIN, 0};
    char c = 0;
    while (poll(&waiter, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (number.empty())
        throw std::runtime_error("Xvfb did not start (is the xvfb package installed?)");
    setenv("DISPLAY", (":" + number).c_str(), 1);
}

XvfbServer::~XvfbServer() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}
