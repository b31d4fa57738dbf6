// The program's icon, in every size built into the program.
#pragma once

#include <QIcon>

namespace comet {

QIcon programIcon();  // the chip with its comet, for the main window and the viewer

}  // namespace comet
