// Run ▸ Check against cases…: the program in the editor run against a teacher's case
// file as --grade runs a submission, its visible cases shown in a table with the same
// reasons and hints, its hidden cases only counted.
#pragma once

#include <QString>

#include "machine/charset.hpp"

class QDialog;
class QWidget;

namespace comet {

// Shows the results of `source` against the cases in `casesPath` in a dialog of `parent`
// (object name "selfCheck", its table "selfCheckTable") and returns it; a case file or a
// reference that cannot be used is said in a message box, and nothing is returned.
QDialog* checkAgainstCases(QWidget* parent, const Text& source, const QString& casesPath);

}  // namespace comet
