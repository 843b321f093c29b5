#include "core/SphereGl.h"

#include "core/Gl.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

struct SphereList {
    double radius;
    int slices, stacks;
    GLuint list;
};

// A blast grows through a few dozen sizes; anything beyond is drawn directly rather than kept.
constexpr size_t kMaxSphereLists = 128;

} // namespace

void drawSolidSphere(double radius, int slices, int stacks) {
    // Lists belong to the one GL context the program opens.
    static std::vector<SphereList> lists;
    // glut's arrays leave the current normal alone, a list leaves its last one behind: quads drawn next
    // without a normal of their own, such as the trails, would be lit by it.
    GLfloat normal[3];
    glGetFloatv(GL_CURRENT_NORMAL, normal);
    const auto found = std::find_if(lists.begin(), lists.end(), [&](const SphereList& sphere) {
        return sphere.radius == radius && sphere.slices == slices && sphere.stacks == stacks;
    });
    if (found != lists.end()) {
        glCallList(found->list);
    } else if (const GLuint list = lists.size() < kMaxSphereLists ? glGenLists(1) : 0; list != 0) {
        glNewList(list, GL_COMPILE_AND_EXECUTE);
        glutSolidSphere(radius, slices, stacks);
        glEndList();
        lists.push_back({radius, slices, stacks, list});
    } else {
        glutSolidSphere(radius, slices, stacks);
    }
    glNormal3fv(normal);
}

std::vector<SphereVertex> sphereTriangles(float radius, int slices, int stacks) {
    // glut's tables: float angles, the slices running clockwise seen from the top.
    const auto point = [&](int stack, int slice) {
        const float around = -2.0f * std::numbers::pi_v<float> / static_cast<float>(slices);
        const float down = std::numbers::pi_v<float> / static_cast<float>(stacks);
        const float ringSin = stack == stacks ? 0.0f : std::sin(down * static_cast<float>(stack));
        const float ringCos = std::cos(down * static_cast<float>(stack));
        const float x = std::cos(around * static_cast<float>(slice % slices)) * ringSin;
        const float y = std::sin(around * static_cast<float>(slice % slices)) * ringSin;
        return SphereVertex{{x * radius, y * radius, ringCos * radius}, {x, y, ringCos}};
    };
    std::vector<SphereVertex> triangles;
    for (int stack = 0; stack < stacks; ++stack)
        for (int slice = 0; slice < slices; ++slice) {
            const SphereVertex a = point(stack, slice), b = point(stack + 1, slice);
            const SphereVertex c = point(stack + 1, slice + 1), d = point(stack, slice + 1);
            // Each band split along the diagonal glut's strips give it, in their order.
            if (stack < stacks - 1)
                triangles.insert(triangles.end(), {b, a, c});
            if (stack > 0)
                triangles.insert(triangles.end(), {a, c, d});
        }
    return triangles;
}
