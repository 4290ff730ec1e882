// Bresenham's walk from one point to another, one step along the major axis at a time; shared
// by solid and dashed lines so both visit exactly the same pixels.
#pragma once

#include <algorithm>
#include <cstdlib>

class GfxLineWalk {
public:
  GfxLineWalk(int x0, int y0, int x1, int y1)
      : x0_(x0),
        y0_(y0),
        x_(x0),
        y_(y0),
        dx_(std::llabs(static_cast<long long>(x1) - x0)),
        dy_(std::llabs(static_cast<long long>(y1) - y0)),
        stepX_(x1 >= x0 ? 1 : -1),
        stepY_(y1 >= y0 ? 1 : -1),
        xMajor_(dx_ >= dy_),
        error_(xMajor_ ? 2 * dy_ - dx_ : 2 * dx_ - dy_) {}

  int X() const { return static_cast<int>(x_); }
  int Y() const { return static_cast<int>(y_); }
  bool IsXMajor() const { return xMajor_; }
  // Number of steps from the start to the end point.
  long long Steps() const { return xMajor_ ? dx_ : dy_; }

  void Step() {
    if (xMajor_) {
      x_ += stepX_;
      if (error_ > 0) {
        y_ += stepY_;
        error_ -= 2 * dx_;
      }
      error_ += 2 * dy_;
    } else {
      y_ += stepY_;
      if (error_ > 0) {
        x_ += stepX_;
        error_ -= 2 * dy_;
      }
      error_ += 2 * dx_;
    }
  }

  // Puts the walk where `step` steps from the start would have taken it. After j steps the
  // minor axis has moved ceil((2 j minor - major) / (2 major)) times, which lets a clipped line
  // start at the clip edge instead of walking there from a far-away start point.
  void JumpTo(long long step) {
    const long long major = xMajor_ ? dx_ : dy_;
    const long long minor = xMajor_ ? dy_ : dx_;
    long long moved = 0;
    long long error = 2 * minor - major;
    if (major > 0) {
      const __int128 numerator = static_cast<__int128>(2) * step * minor - major;
      const __int128 denominator = static_cast<__int128>(2) * major;
      __int128 quotient = numerator / denominator;
      if (numerator % denominator != 0 && numerator > 0) ++quotient;  // ceiling
      moved = static_cast<long long>(quotient);
      error = static_cast<long long>(static_cast<__int128>(2) * minor * (step + 1) - major -
                                     denominator * moved);
    }
    if (xMajor_) {
      x_ = x0_ + stepX_ * step;
      y_ = y0_ + stepY_ * moved;
    } else {
      y_ = y0_ + stepY_ * step;
      x_ = x0_ + stepX_ * moved;
    }
    error_ = error;
  }

  // The steps whose major coordinate lies in [low, high], as a range clamped to the walk;
  // first > last when there are none.
  void StepsWithin(int low, int high, long long* first, long long* last) const {
    const long long start = xMajor_ ? x0_ : y0_;
    const int direction = xMajor_ ? stepX_ : stepY_;
    long long a = direction > 0 ? low - start : start - high;
    long long b = direction > 0 ? high - start : start - low;
    *first = std::max(a, 0LL);
    *last = std::min(b, Steps());
  }

private:
  long long x0_;
  long long y0_;
  long long x_;
  long long y_;
  long long dx_;
  long long dy_;
  int stepX_;
  int stepY_;
  bool xMajor_;
  long long error_;
};
