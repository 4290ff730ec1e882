// Static widgets step out of the focus order at construction.
#include "ui/widgets/StaticWidget.h"

StaticWidget::StaticWidget(UiElement* parent, int x, int y, int width, int height)
    : UiWidget(parent, x, y, width, height) {
  // Not a tab stop, and disabled as well, so that Tab also passes over two of them in a row.
  style_ |= kUiStyleNoTabStop;
  disabled_ = true;
}
