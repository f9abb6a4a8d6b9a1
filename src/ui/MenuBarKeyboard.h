#pragma once

class QMenuBar;

namespace urn {

// Makes `bar` reachable from the keyboard as menus are on the platform the
// forms come from: F10, like Alt pressed and released on its own (which
// ProgramStyle turns on), highlights the first menu; the arrows move from
// menu to menu, Enter or Down opens one, Esc or F10 again leaves the bar.
// In an open menu the items' underlined letters choose them.
void reachMenuBarFromKeyboard(QMenuBar* bar);

} // namespace urn
