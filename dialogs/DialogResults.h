// The results the program's own dialogs hand back to whoever opened them.
#pragma once

// Closed or confirmed.
inline constexpr int kDialogResultOk = 2000;
// The high-score table's "Play Again": a new deal of the same game.
inline constexpr int kDialogResultPlayAgain = 2002;
// Cancelled: nothing the dialog holds is to be taken.
inline constexpr int kDialogResultCancel = 2004;
