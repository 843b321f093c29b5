#include "core/Picture.h"

bool framebuffersIn(std::string_view version, std::string_view extensions) {
    // "4.5 (Compatibility Profile) Mesa 22.3.6", or "OpenGL ES 3.2 ..." which these calls do not serve.
    int major = 0;
    for (size_t k = 0; k < version.size() && version[k] >= '0' && version[k] <= '9' && major < 100; ++k)
        major = major * 10 + (version[k] - '0');
    if (major >= 3)
        return true;
    constexpr std::string_view kName = "GL_ARB_framebuffer_object";
    for (size_t at = extensions.find(kName); at != std::string_view::npos;
         at = extensions.find(kName, at + 1)) {
        const size_t end = at + kName.size();
        if ((at == 0 || extensions[at - 1] == ' ') && (end == extensions.size() || extensions[end] == ' '))
            return true;
    }
    return false;
}
