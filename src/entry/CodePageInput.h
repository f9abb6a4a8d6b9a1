#pragma once

// The texts of the record are written in the single-byte code page
// Windows-1250. A character it has no place for would reach the file as
// "?"; the entry fields refuse such characters when they are typed instead.

class QChar;

namespace urn {

class TSEdit;

// True when the code page holds the character; otherwise beeps and returns
// false, so the caller drops the character.
bool acceptCp1250Character(QChar c);

// Keeps a text field to the code page: a character typed, composed or pasted
// that the code page cannot hold is taken out again at once, with a beep.
void keepToCp1250(TSEdit* edit);

} // namespace urn
