#include "app/session.h"

namespace wf {

Session::Session() : progress(&nullProgress_), prompter(&silentPrompter_), hooks(&noHooks_) {}

}
