// A private X server for one test process, so that tests never share a screen or depend on the caller's.
#pragma once

#include <string>
#include <sys/types.h>

class XvfbServer {
public:
    // Starts Xvfb with one screen of the given size and points DISPLAY at it.
    XvfbServer(int width = 1024, int height = 768);
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    const std::string& display() const { return display_; }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    pid_t pid_ = -1;
    std::string display_;
    int width_;
    int height_;
};
