// The store's one way to tell the player about a problem with the file: a line on stderr.
#pragma once

#include <string>

// Prints "quenbry-solitaire: <message>" on stderr, each distinct message once per run: every
// operation reads the store afresh and would otherwise say the same thing again and again.
void WarnAboutStore(const std::string& message);
