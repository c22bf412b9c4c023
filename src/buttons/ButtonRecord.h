#pragma once
#include "buttons/ExeButton.h"
#include "panel/PagerSettings.h"

namespace korvi {

// A settings record given to a live button. The program comes first, because
// setting it resets the start folder, arguments, glyph and caption; the start
// folder, arguments, glyph, icon index and caption are given after it, so that
// the record's own values win; one the record does not hold (HasStart, HasGlyph,
// HasCaption) stays as the program set it. A hidden record only takes the button out of use:
// the rest of the entry stays as it was.
void ApplyRecord(const ButtonRecord& record, TExeButton& button);

// The settings record of a live button.
ButtonRecord RecordOf(const TExeButton& button);

}  // namespace korvi
