# The land of the traffic report's world map: Natural Earth's land at 1:50 million from the npm
# package world-atlas (pinned; scripts/setup fetches and unpacks it, the build itself never goes to
# the network), turned by tools/world_map/land_outline.mjs with Node.js into a C++ source of the
# report layer. Every build of the program needs it, the Windows cross build too (the script runs
# on the build machine, the generated source is plain C++).
set(WINGFOLD_WORLD_ATLAS_VERSION 2.0.2)
set(WINGFOLD_WORLD_ATLAS "${PROJECT_SOURCE_DIR}/build/npm/world-atlas-${WINGFOLD_WORLD_ATLAS_VERSION}"
    CACHE PATH "The npm package world-atlas ${WINGFOLD_WORLD_ATLAS_VERSION}, unpacked by scripts/setup")
find_program(WINGFOLD_NODE NAMES node nodejs)
set(land_json "${WINGFOLD_WORLD_ATLAS}/land-50m.json")
if(NOT WINGFOLD_NODE OR NOT EXISTS "${land_json}")
  message(FATAL_ERROR "The traffic report's world map is made from the npm package world-atlas "
                      "${WINGFOLD_WORLD_ATLAS_VERSION} with Node.js, and "
                      "${land_json} or Node.js is missing: run scripts/setup, which installs Node.js "
                      "and fetches the package (or set WINGFOLD_WORLD_ATLAS to where it is unpacked).")
endif()
set(land_source "${PROJECT_BINARY_DIR}/generated/report/land_outline.cpp")
add_custom_command(
  OUTPUT "${land_source}"
  COMMAND "${CMAKE_COMMAND}" -E make_directory "${PROJECT_BINARY_DIR}/generated/report"
  COMMAND "${WINGFOLD_NODE}" "${PROJECT_SOURCE_DIR}/tools/world_map/land_outline.mjs" "${land_json}"
          "${land_source}"
  DEPENDS "${PROJECT_SOURCE_DIR}/tools/world_map/land_outline.mjs" "${land_json}"
  COMMENT "Land outline of the traffic report's map from world-atlas ${WINGFOLD_WORLD_ATLAS_VERSION}"
  VERBATIM)
target_sources(wingfold_report PRIVATE "${land_source}")
