#include "app/Input.h"

#include "core/Gl.h"

#include <cstdlib>

namespace {
constexpr unsigned char kEscape = 27;
}

void keyboard(unsigned char key, int, int) {
    if (key == kEscape) {
        glutDestroyWindow(glutGetWindow());
        std::exit(0);
    }
}

void special(int, int, int) {}

void mouse(int, int, int, int) {}

void motion(int, int) {}

void passiveMotion(int, int) {}
