# The libraries of the Windows cross build (cmake/mingw-w64-x86_64.cmake). Debian ships them built
# for the build machine only, so:
#   - the header-only ones (CLI11, stb) are used from their Debian folders, each folder on its own
#     and never all of /usr/include, whose C library headers are not the target's; stb's
#     implementations are compiled here, as Debian's libstb holds them;
#   - GoogleTest is compiled from Debian's googletest package (/usr/src/googletest);
#   - libsquish and the parts of GeographicLib the tests use are compiled from Debian's source
#     packages, which scripts/windows_sources unpacks into WINGFOLD_WINDOWS_SOURCES;
#   - Qt (for wingfold-gui and its tests) is a static build of Debian's qt6-base source that
#     scripts/windows_qt installs; WINGFOLD_WINDOWS_QT names its folder.
# Each gets the target name its native counterpart has, so the rest of the build does not tell
# the two apart.
set(WINGFOLD_WINDOWS_SOURCES "${PROJECT_SOURCE_DIR}/build/windows-sources"
    CACHE PATH "Debian's source packages for the Windows build, unpacked by scripts/windows_sources")

foreach(package libsquish geographiclib)
  if(NOT EXISTS "${WINGFOLD_WINDOWS_SOURCES}/${package}/.complete")
    message(FATAL_ERROR "The Windows build needs Debian's ${package} sources in "
                        "${WINGFOLD_WINDOWS_SOURCES}/${package}: run scripts/windows_sources first.")
  endif()
endforeach()

# A folder of the build tree that holds only a symbolic link NAME to TARGET, for an include path
# that shows that one folder.
function(wingfold_single_header_folder name target out)
  set(folder "${PROJECT_BINARY_DIR}/windows_include/${name}")
  file(MAKE_DIRECTORY "${folder}")
  if(NOT IS_SYMLINK "${folder}/${name}")
    file(CREATE_LINK "${target}" "${folder}/${name}" SYMBOLIC)
  endif()
  set(${out} "${folder}" PARENT_SCOPE)
endfunction()

# CLI11 (#include <CLI/CLI.hpp>).
wingfold_single_header_folder(CLI /usr/include/CLI cli11_include)
add_library(CLI11::CLI11 INTERFACE IMPORTED)
target_include_directories(CLI11::CLI11 SYSTEM INTERFACE "${cli11_include}")

# stb (#include <stb_image.h>): /usr/include/stb holds stb's headers only.
set(stb_implementation "${PROJECT_BINARY_DIR}/windows_include/stb_implementation.cpp")
file(WRITE "${stb_implementation}.new"
     "#define STB_IMAGE_IMPLEMENTATION\n#include <stb_image.h>\n"
     "#define STB_IMAGE_WRITE_IMPLEMENTATION\n#include <stb_image_write.h>\n"
     "#define STB_IMAGE_RESIZE_IMPLEMENTATION\n#include <stb_image_resize.h>\n")
file(COPY_FILE "${stb_implementation}.new" "${stb_implementation}" ONLY_IF_DIFFERENT)
add_library(wingfold_stb STATIC "${stb_implementation}")
target_include_directories(wingfold_stb SYSTEM PUBLIC /usr/include/stb)
add_library(PkgConfig::STB ALIAS wingfold_stb)

# libsquish, as Debian builds it for amd64 (SSE2), without OpenMP: its results do not depend on it.
set(squish_dir "${WINGFOLD_WINDOWS_SOURCES}/libsquish")
add_library(wingfold_squish STATIC
            ${squish_dir}/alpha.cpp ${squish_dir}/clusterfit.cpp ${squish_dir}/colourblock.cpp
            ${squish_dir}/colourfit.cpp ${squish_dir}/colourset.cpp ${squish_dir}/maths.cpp
            ${squish_dir}/rangefit.cpp ${squish_dir}/singlecolourfit.cpp ${squish_dir}/squish.cpp)
target_compile_definitions(wingfold_squish PRIVATE SQUISH_USE_SSE=2)
target_include_directories(wingfold_squish SYSTEM INTERFACE "${squish_dir}")
set(SQUISH_INCLUDE_DIR "${squish_dir}")
set(SQUISH_LIBRARY wingfold_squish)

# GeographicLib's geodesics, the distance tests' oracle.
set(geographiclib_dir "${WINGFOLD_WINDOWS_SOURCES}/geographiclib")
set(geographiclib_config "${PROJECT_BINARY_DIR}/windows_include/geographiclib/GeographicLib/Config.h")
file(WRITE "${geographiclib_config}.new"
     "#define GEOGRAPHICLIB_VERSION_STRING \"2.1.2\"\n#define GEOGRAPHICLIB_VERSION_MAJOR 2\n"
     "#define GEOGRAPHICLIB_VERSION_MINOR 1\n#define GEOGRAPHICLIB_VERSION_PATCH 2\n"
     "#define GEOGRAPHICLIB_DATA \"\"\n#define GEOGRAPHICLIB_HAVE_LONG_DOUBLE 1\n"
     "#define GEOGRAPHICLIB_WORDS_BIGENDIAN 0\n#define GEOGRAPHICLIB_PRECISION 2\n"
     "#define GEOGRAPHICLIB_SHARED_LIB 0\n")
file(COPY_FILE "${geographiclib_config}.new" "${geographiclib_config}" ONLY_IF_DIFFERENT)
add_library(wingfold_geographiclib STATIC ${geographiclib_dir}/src/Geodesic.cpp
                                          ${geographiclib_dir}/src/GeodesicLine.cpp ${geographiclib_dir}/src/Math.cpp)
target_include_directories(wingfold_geographiclib SYSTEM PUBLIC
                           "${PROJECT_BINARY_DIR}/windows_include/geographiclib" "${geographiclib_dir}/include")
set(GeographicLib_FOUND TRUE)
set(GeographicLib_LIBRARIES wingfold_geographiclib)
set(GeographicLib_INCLUDE_DIRS "")

# GoogleTest.
set(gtest_dir /usr/src/googletest/googletest)
add_library(wingfold_gtest STATIC ${gtest_dir}/src/gtest-all.cc)
target_include_directories(wingfold_gtest SYSTEM PUBLIC ${gtest_dir}/include PRIVATE ${gtest_dir})
add_library(wingfold_gtest_main STATIC ${gtest_dir}/src/gtest_main.cc)
target_link_libraries(wingfold_gtest_main PUBLIC wingfold_gtest)
add_library(GTest::gtest ALIAS wingfold_gtest)
add_library(GTest::gtest_main ALIAS wingfold_gtest_main)

# Qt: its CMake packages are found below its folder, which joins the MinGW tree as a root of the
# target's files. Its moc, rcc and uic are the build machine's (qt6-base-dev-tools).
if(WINGFOLD_BUILD_GUI)
  set(WINGFOLD_WINDOWS_QT "${PROJECT_SOURCE_DIR}/build/windows-qt"
      CACHE PATH "Qt built for Windows by scripts/windows_qt")
  if(NOT EXISTS "${WINGFOLD_WINDOWS_QT}/lib/cmake/Qt6/Qt6Config.cmake")
    message(FATAL_ERROR "The Windows build of wingfold-gui needs Qt built for Windows in ${WINGFOLD_WINDOWS_QT}: "
                        "run scripts/windows_qt first (or configure with -DWINGFOLD_BUILD_GUI=OFF).")
  endif()
  get_filename_component(wingfold_windows_qt "${WINGFOLD_WINDOWS_QT}" REALPATH)
  list(APPEND CMAKE_FIND_ROOT_PATH "${wingfold_windows_qt}")
  list(APPEND CMAKE_PREFIX_PATH "${wingfold_windows_qt}")
endif()
