// The modal message and input boxes of the window.
#pragma once

#include <QString>

#include "machine/charset.hpp"

class QDialog;
class QWidget;

namespace comet {

// A box's text as drawn: CR LF as one line break, characters of code 0 as nothing.
QString boxTextOf(const Text& text);

// Sizes a box so that its whole title shows, and puts it at the middle of `over`'s window.
void fitAndCentre(QDialog& box, QWidget* over);

// ---- Modal boxes over the main window ----
void showMessageBox(QWidget* parent, const Text& text, const Text& title);   // OK only
bool showOkCancelBox(QWidget* parent, const Text& text, const Text& title);  // true for OK
Text showInputBox(QWidget* parent, const Text& prompt);                      // empty when cancelled

}  // namespace comet
