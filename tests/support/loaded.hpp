// A workbench as the window leaves it after loading, on a headless display.
#pragma once

#include "session/headless.hpp"
#include "session/mainwindow.hpp"

namespace comet {

struct Loaded {
    HeadlessDisplay display;
    Workbench wb{display};
    Loaded() {
        Form_Load(wb);
    }
};

}  // namespace comet
