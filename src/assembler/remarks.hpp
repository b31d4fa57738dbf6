// What the assembler tells a learner beyond the design's own messages: what each of its
// messages means with the likely fix, and warnings about what it assembles in silence.
#pragma once

#include <vector>

#include "workbench/workbench.hpp"

namespace comet {

// The editor line of the statement being assembled; 0 outside the first pass.
int32_t lineBeingAssembled(const Workbench& wb);

// The explanation of an assembler message of `kind`, from the assembler's state as it
// stands when the message is reported; `name` is the name it carries.
std::vector<Note> explanationOf(const Workbench& wb, DiagKind kind, const Text& name);

// Keeps a warning about `range` of the source (none: the program as a whole).
void warnAt(Workbench& wb, SourceRange range, Note text, std::vector<Note> notes = {});

// The operand forms of the statement being assembled, as a note.
Note operandFormsNote(const Workbench& wb);

// "Did you mean LD?" for the instructions nearest in spelling to `word`; nothing when none is near.
std::vector<Note> didYouMeanInstruction(TextView word);

}  // namespace comet
