#pragma once
// The land of the world map: Natural Earth's land at 1:50 million (public domain), as the npm package
// world-atlas redistributes it, turned into SVG path data when the program is built
// (tools/world_map/land_outline.mjs). Map units: x = longitude x 100, y = -latitude x 100.
#include <span>
#include <string_view>

namespace wf {

// The path data, in pieces to be joined in order.
std::span<const std::string_view> LandOutline();

}
