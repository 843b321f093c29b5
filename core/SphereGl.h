// Spheres of a fixed size, drawn from a display list built on their first drawing.
#pragma once

// What glutSolidSphere draws, the same vertices and normals, for sizes drawn every frame: glut builds
// the vertices anew on each call and sends every stack as its own draw, which llvmpipe charges per call.
void drawSolidSphere(double radius, int slices, int stacks);
