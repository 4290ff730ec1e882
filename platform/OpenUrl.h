// Hands a web address (or a file:// address) to the desktop, which opens it in the user's
// default browser.
#pragma once

#include <string>

// False when the desktop refused it or no browser could be started; nothing else happens then.
bool OpenUrl(const std::string& url);
