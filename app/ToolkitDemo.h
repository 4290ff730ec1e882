// The toolkit demonstration: the game's menu bar over a backdrop and a dialog with every widget,
// in the real theme, run from `quenbry-solitaire --demo-toolkit`.
#pragma once

// Runs until Escape (outside a menu), the Exit command or a window close. The screen buffer
// must be the active 800 x 600 buffer. Returns the exit code.
int RunToolkitDemo(int screenBuffer);
