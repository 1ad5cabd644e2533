#pragma once
// The pictures of the Planes tree's node images, drawn at start-up: a green plane for a usable
// entry, a hollow grey one for an entry that is switched off (or has probability 0), and a plane
// under a red "no" sign for a model that cannot fly GA traffic at all. They differ in shape as well
// as colour.
#include <QIcon>

namespace wf::gui {

// The picture of a Planes tree image (ui::kImageUsable, kImageSwitchedOff, kImageNotForGA), drawn
// anew at each call (keep it); an empty icon for any other number.
QIcon PlaneIcon(int image);

// The program's own icon: the usable plane.
QIcon ProgramIcon();

}
