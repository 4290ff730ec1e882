// The settings store on disk: one REGEDIT4 text file that every operation reads afresh and every
// change replaces whole and atomically, so a crash leaves either the old store or the new one.
#pragma once

#include <functional>
#include <string>

#include "persist/RegistryTree.h"

class Registry {
public:
  // The store in the given file; its directory is created on the first change.
  explicit Registry(std::string filePath);

  // $XDG_CONFIG_HOME/quenbry-solitaire/registry.reg, or $HOME/.config/... when the variable is
  // unset or not an absolute path. Looked up at each call.
  static std::string DefaultFilePath();

  const std::string& FilePath() const { return path_; }

  // The store as it is on disk now. A missing file is an empty store; a file that cannot be
  // understood is moved aside as "<file>.bad.N" and the store reads as empty.
  RegistryTree Read() const;

  // Reads the store, lets `edit` change it, and writes it back when anything changed, all under
  // one lock so that no other change slips in between. `edit` always runs exactly once: when the
  // store cannot be changed it gets what can be read of it (or an empty tree), so reads done
  // through it still see stored values or defaults. False when the new file could not be
  // written; the old file is then untouched.
  bool Change(const std::function<void(RegistryTree&)>& edit) const;

private:
  std::string path_;
};
