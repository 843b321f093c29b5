// The OpenGL headers in the one order that works: GLEW first, then GLU and GLUT.
#pragma once

#include <GL/glew.h>
// GLEW must come before these.
#include <GL/freeglut.h>
#include <GL/glu.h>
