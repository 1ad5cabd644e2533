#pragma once
// The program's version, as the build names it (the project's version in CMakeLists.txt).

namespace wf {

const char* ProgramVersion();

}
