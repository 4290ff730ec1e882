// Where the program keeps what lives only while it runs (the single-instance lock and socket, the
// undo snapshots): the user's runtime directory, or a private directory of this user's own under
// the temporary directory when there is none. A shared directory such as /tmp is never used
// directly, so another local user cannot take the names first.
#pragma once

#include <string>
#include <string_view>

// `parent`/`name`, made with mode 0700 when missing, and used only when it is (lstat, so not a
// link) a directory owned by this user that no one else may enter. Empty when it is not.
std::string PrivateDirectory(const std::string& parent, const std::string& name);

// $XDG_RUNTIME_DIR when it is an absolute path, else PrivateDirectory($TMPDIR or /tmp,
// "quenbry-solitaire-<uid>"). Empty when neither can be used.
std::string RuntimeDirectory();

// Removes what runs that ended without cleaning up (killed, crashed) left in `directory`: each
// subdirectory named `prefix` + a process number, owned by this user, whose process no longer
// runs, loses its undo snapshots and, once empty, itself. Anything else is left alone. Returns
// how many directories were removed.
int RemoveStaleProcessDirectories(const std::string& directory, std::string_view prefix);
