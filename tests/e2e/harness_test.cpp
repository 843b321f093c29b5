#include "support/Xvfb.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

TEST(Harness, APrivateServerEndsWithTheTestProcessThatDied) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t testProcess = fork();
    if (testProcess == 0) {
        XvfbServer server(64, 64);
        const pid_t xvfb = server.pid();
        (void)!write(fds[1], &xvfb, sizeof xvfb);
        std::abort(); // no destructor runs, as in a crashed test
    }
    close(fds[1]);
    pid_t xvfb = -1;
    ASSERT_EQ(read(fds[0], &xvfb, sizeof xvfb), static_cast<ssize_t>(sizeof xvfb));
    close(fds[0]);
    waitpid(testProcess, nullptr, 0);
    bool gone = false;
    for (int attempt = 0; attempt < 200 && !gone; ++attempt) {
        // Not our child, so it cannot linger as a zombie of ours: no such process means it has ended.
        gone = kill(xvfb, 0) != 0 && errno == ESRCH;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(gone) << "Xvfb " << xvfb << " outlived its test process";
    if (!gone)
        kill(xvfb, SIGKILL);
}
