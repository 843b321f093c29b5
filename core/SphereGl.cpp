#include "core/SphereGl.h"

#include "core/Gl.h"

#include <cmath>
#include <numbers>

SphereMesh sphereMesh(float radius, int slices, int stacks) {
    SphereMesh mesh;
    if (slices < 1 || stacks < 2)
        return mesh;
    // glut's tables: float angles, the slices running clockwise seen from the top.
    const float around = -2.0f * std::numbers::pi_v<float> / static_cast<float>(slices);
    const float down = std::numbers::pi_v<float> / static_cast<float>(stacks);
    mesh.vertices.push_back({{0.0f, 0.0f, radius}, {0.0f, 0.0f, 1.0f}});
    for (int stack = 1; stack < stacks; ++stack)
        for (int slice = 0; slice < slices; ++slice) {
            const float ringSin = std::sin(down * static_cast<float>(stack));
            const float x = std::cos(around * static_cast<float>(slice)) * ringSin;
            const float y = std::sin(around * static_cast<float>(slice)) * ringSin;
            const float z = std::cos(down * static_cast<float>(stack));
            mesh.vertices.push_back({{x * radius, y * radius, z * radius}, {x, y, z}});
        }
    mesh.vertices.push_back({{0.0f, 0.0f, -radius}, {0.0f, 0.0f, -1.0f}});

    const auto ring = [&](int stack, int slice) {
        return static_cast<unsigned short>(1 + (stack - 1) * slices + slice % slices);
    };
    const auto bottom = static_cast<unsigned short>(mesh.vertices.size() - 1);
    auto& t = mesh.triangles;
    for (int slice = 0; slice < slices; ++slice)
        t.insert(t.end(), {ring(1, slice), 0, ring(1, slice + 1)});
    for (int stack = 1; stack < stacks - 1; ++stack)
        for (int slice = 0; slice < slices; ++slice) {
            const unsigned short upper = ring(stack, slice), upperNext = ring(stack, slice + 1);
            const unsigned short lower = ring(stack + 1, slice), lowerNext = ring(stack + 1, slice + 1);
            t.insert(t.end(), {lower, upper, lowerNext, lowerNext, upper, upperNext});
        }
    for (int slice = 0; slice < slices; ++slice)
        t.insert(t.end(), {bottom, ring(stacks - 1, slice), ring(stacks - 1, slice + 1)});
    return mesh;
}

void drawSphereMesh(const SphereMesh& mesh) {
    if (mesh.triangles.empty())
        return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(SphereVertex), mesh.vertices[0].position);
    glNormalPointer(GL_FLOAT, sizeof(SphereVertex), mesh.vertices[0].normal);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.triangles.size()), GL_UNSIGNED_SHORT,
                   mesh.triangles.data());
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}
