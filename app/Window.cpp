#include "app/Window.h"

#include "core/GameState.h"
#include "core/Gl.h"
#include "core/View.h"

#include <GL/glxew.h>

#include <iostream>

namespace {

// One swap per tick must not wait for the monitor's refresh, or the 5 ms tick loses its pace.
void disableSwapThrottle() {
    Display* display = glXGetCurrentDisplay();
    GLXDrawable drawable = glXGetCurrentDrawable();
    if (GLXEW_EXT_swap_control && display)
        glXSwapIntervalEXT(display, drawable, 0);
    else if (GLXEW_MESA_swap_control)
        glXSwapIntervalMESA(0);
}

} // namespace

void openGameWindow(int& argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(800, 600);
    glutCreateWindow("Zarnowell");

    glewExperimental = GL_TRUE;
    if (const GLenum status = glewInit(); status != GLEW_OK && status != GLEW_ERROR_NO_GLX_DISPLAY)
        std::cerr << "OpenGL: extension loader failed: " << glewGetErrorString(status) << std::endl;
    if (!glActiveTexture) {
        std::cerr << "OpenGL: glActiveTexture (OpenGL 1.3) is missing; the game cannot draw" << std::endl;
        std::exit(1);
    }
    disableSwapThrottle();
}

void enterFullScreen() {
    glutSetCursor(GLUT_CURSOR_NONE);
    glutFullScreen();
}

void prepareFirstFrame(const GameState& state) {
    glClearColor(kWaterColour[0], kWaterColour[1], kWaterColour[2], 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const Vec3& eye = state.eyePos;
    gluLookAt(eye.x, eye.y, eye.z, eye.x, eye.y - 1.0f, eye.z - 10.0f, 0.0, 1.0, 0.0);
}
