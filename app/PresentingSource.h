// Feeds the message loops from SDL and makes sure held-back screen updates reach the display
// before a loop goes to sleep.
#pragma once

#include "platform/MessageLoop.h"

class GfxDisplay;

class PresentingSource final : public MessageSource {
public:
  // Both are observed, not owned.
  PresentingSource(MessageSource& events, GfxDisplay& display)
      : events_(events), display_(display) {}

  // Presents what is due, then waits for input no longer than the next present needs.
  void Pump(int waitMs) override;

private:
  MessageSource& events_;
  GfxDisplay& display_;
};
