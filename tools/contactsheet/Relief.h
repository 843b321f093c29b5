// The relief sheet: the depth map seen from above (as the radar shows it, z = 0 at the bottom) with the
// towns named, and an oblique view looking up the valley.
#pragma once

#include <filesystem>

namespace contactsheet {

bool renderRelief(const std::filesystem::path& depthMap, const std::filesystem::path& out);

} // namespace contactsheet
