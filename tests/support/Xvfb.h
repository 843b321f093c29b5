// A private X server for one test process, so that tests never share a screen or depend on the caller's.
#pragma once

#include <sys/types.h>

// In a child just forked by the calling thread: asks the kernel to send `signal` when that thread's process
// goes (a failed assertion, a sanitizer report or a ctest timeout included), so no helper outlives a test.
// Returns false when the parent is already gone.
bool dieWithParent(int signal, pid_t parent);

class XvfbServer {
public:
    // Starts Xvfb with one screen of the given size and points DISPLAY at it.
    XvfbServer(int width = 1024, int height = 768);
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

private:
    pid_t pid_ = -1;
};
