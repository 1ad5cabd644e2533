#include "app/version.h"

namespace wf {

const char* ProgramVersion() {
  return WINGFOLD_VERSION;
}

}
