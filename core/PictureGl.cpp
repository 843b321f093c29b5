#include "core/PictureGl.h"

#include "core/Gl.h"

#include <iostream>

void Picture::release() {
    // Made only under a context; a game without one never made any.
    if (texture != 0)
        glDeleteTextures(1, &texture);
    if (framebuffer != 0)
        glDeleteFramebuffers(1, &framebuffer);
    if (depth != 0)
        glDeleteRenderbuffers(1, &depth);
    texture = framebuffer = depth = 0;
    width = height = 0;
}

bool framebuffersAvailable(PictureSupport& support) {
    if (!support.framebuffers) {
        // GLEW's own flags say yes whenever the entry points load, whatever the driver offers.
        const auto text = [](GLenum name) {
            const auto* s = reinterpret_cast<const char*>(glGetString(name));
            return std::string_view(s ? s : "");
        };
        support.framebuffers = glGenFramebuffers != nullptr && glFramebufferRenderbuffer != nullptr &&
                               framebuffersIn(text(GL_VERSION), text(GL_EXTENSIONS));
    }
    return *support.framebuffers;
}

bool fitPicture(PictureSupport& support, Picture& picture, int width, int height, bool withDepth) {
    if (picture.failed || !framebuffersAvailable(support))
        return false;
    if (picture.texture != 0 && picture.width == width && picture.height == height &&
        (picture.depth != 0) == withDepth)
        return true;
    // Storage is made anew on a fresh texture: specifying it again while the texture is attached to its
    // framebuffer leaks inside Mesa.
    picture.release();
    GLint texture = 0, framebuffer = 0, renderbuffer = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &framebuffer);
    glGetIntegerv(GL_RENDERBUFFER_BINDING, &renderbuffer);
    glGenTextures(1, &picture.texture);
    glBindTexture(GL_TEXTURE_2D, picture.texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glGenFramebuffers(1, &picture.framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, picture.framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, picture.texture, 0);
    if (withDepth) {
        glGenRenderbuffers(1, &picture.depth);
        glBindRenderbuffer(GL_RENDERBUFFER, picture.depth);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, picture.depth);
    }
    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(framebuffer));
    glBindRenderbuffer(GL_RENDERBUFFER, static_cast<GLuint>(renderbuffer));
    if (status == GL_FRAMEBUFFER_COMPLETE) {
        picture.width = width;
        picture.height = height;
        return true;
    }
    picture.release();
    picture.failed = true;
    if (!support.failureReported)
        std::cerr << "OpenGL: cannot draw a " << width << " x " << height
                  << " picture offscreen (framebuffer status 0x" << std::hex << status << std::dec
                  << "); what it would hold is drawn straight to the window" << std::endl;
    support.failureReported = true;
    return false;
}

void drawPicture(const Picture& picture, const std::array<int, 4>& pixels, float s, float t, bool blended) {
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    const auto x = [&](int pixel) {
        return 2.0f * static_cast<float>(pixel - v[0]) / static_cast<float>(v[2]) - 1.0f;
    };
    const auto y = [&](int pixel) {
        return 2.0f * static_cast<float>(pixel - v[1]) / static_cast<float>(v[3]) - 1.0f;
    };
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_FOG);
    glDisable(GL_LIGHTING);
    glActiveTexture(GL_TEXTURE1);
    glDisable(GL_TEXTURE_2D);
    glActiveTexture(GL_TEXTURE0);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glEnable(GL_TEXTURE_2D);
    if (blended) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    } else {
        glDisable(GL_BLEND);
    }
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBindTexture(GL_TEXTURE_2D, picture.texture);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    const auto [left, bottom, width, height] = pixels;
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(x(left), y(bottom));
    glTexCoord2f(s, 0.0f);
    glVertex2f(x(left + width), y(bottom));
    glTexCoord2f(s, t);
    glVertex2f(x(left + width), y(bottom + height));
    glTexCoord2f(0.0f, t);
    glVertex2f(x(left), y(bottom + height));
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}
