// The card size the card choosers lay their samples out by.
#pragma once

struct CardSpan {
  int width;   // inclusive span: 52 for a card 53 pixels wide
  int height;  // 82 for a card 83 pixels high
};

// From the artwork the widgets draw with; the standard deck's spans without one.
CardSpan ChooserCardSpan();
