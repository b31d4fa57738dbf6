// What assistive technology hears the controls called: a name (and a role where the
// widget's own is wrong) for each control whose text does not say what it is.
#pragma once

#include <QWidget>

namespace comet {

// Names every control of `window` found in the table, by its object name, and makes
// the mode label a button to assistive technology (it is clicked like one). The status
// line needs nothing: a label announces each new text as its name. Called again, it
// names them anew in the current language.
void makeAccessible(QWidget* window);

}  // namespace comet
