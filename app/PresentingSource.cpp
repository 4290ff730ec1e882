// Feeds the message loops from SDL and keeps held-back screen updates flowing.
#include "app/PresentingSource.h"

#include "gfx/GfxDisplay.h"

void PresentingSource::Pump(int waitMs) {
  int dueMs = display_.Flush();
  if (dueMs >= 0 && (waitMs < 0 || waitMs > dueMs)) waitMs = dueMs;
  events_.Pump(waitMs);
}
