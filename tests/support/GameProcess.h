// Drives the real game program from outside, as a player meets it: started in the build folder on a given
// X display, its standard output and error captured, keys and mouse events sent with xdotool, the screen
// grabbed with ImageMagick.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

#include <opencv2/core.hpp>

class GameProcess {
public:
    // Starts `program` (the build's game unless given) in `workingDir` (the build folder unless given);
    // extraEnv entries are NAME=value.
    explicit GameProcess(const std::vector<std::string>& extraEnv = {}, const std::string& workingDir = {},
                         const std::string& program = {});
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    // Waits until a whole line equal to `line` has appeared on stdout; returns the time it took since start.
    std::optional<std::chrono::milliseconds> waitForLine(const std::string& line,
                                                         std::chrono::milliseconds timeout);
    // Waits for the process to end; its exit status, or nothing on timeout or death by signal.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);

    const std::string& output();
    const std::string& errors();
    bool running();

private:
    void drain(int timeoutMs);

    pid_t pid_ = -1;
    int outFd_ = -1;
    int errFd_ = -1;
    std::string out_;
    std::string err_;
    std::optional<int> status_;
    std::chrono::steady_clock::time_point started_;
};

// Runs xdotool with the given arguments on the current DISPLAY; true on success.
bool xdotool(const std::string& arguments);

// Grabs the whole screen of the current DISPLAY; empty on failure.
cv::Mat grabScreen();
