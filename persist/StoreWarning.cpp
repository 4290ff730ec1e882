// Warnings about the store, each said once.
#include "persist/StoreWarning.h"

#include <cstdio>
#include <mutex>
#include <set>

void WarnAboutStore(const std::string& message) {
  static std::mutex guard;
  static std::set<std::string> said;
  const std::lock_guard<std::mutex> lock(guard);
  if (said.insert(message).second) std::fprintf(stderr, "quenbry-solitaire: %s\n", message.c_str());
}
