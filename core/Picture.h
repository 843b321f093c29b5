// A picture drawn offscreen: a texture, the framebuffer that draws into it and, for a 3D scene, a depth
// buffer; owned by the game that drew it and deleted with it. Also whether the context can draw offscreen.
#pragma once

#include <optional>
#include <string_view>

struct Picture {
    unsigned int texture = 0, framebuffer = 0, depth = 0;
    int width = 0, height = 0;
    bool failed = false; // could not be made: what it would show is drawn straight, for good

    Picture() = default;
    ~Picture() { release(); }
    // A copy of a game draws pictures of its own: these GL objects belong to the game that made them.
    Picture(const Picture&) {}
    Picture& operator=(const Picture&) {
        release();
        failed = false;
        return *this;
    }
    // Deletes the GL objects (none exist without a context).
    void release();
};

// What the context offers, read from it once, and whether a picture that failed has been reported.
struct PictureSupport {
    std::optional<bool> framebuffers;
    bool failureReported = false;
};

// Whether a context of this version and extension string draws into framebuffer objects the way the
// pictures do (OpenGL 3.0, or ARB_framebuffer_object).
bool framebuffersIn(std::string_view version, std::string_view extensions);
