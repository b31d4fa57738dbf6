#include "ui/workbench.hpp"

namespace comet {

void showMessage(Workbench& wb, const Text& text) { wb.display->messageBox(text, kAppTitle); }

}  // namespace comet
