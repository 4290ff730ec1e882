// Small helpers the artwork code shares: buffers made ready for pictures, and BMP and JPEG
// media files drawn into a buffer the way the game always draws them (top-left at (0, 0)).
#pragma once

// Allocates a buffer, makes it the drawing target and attaches the palette. Returns the
// handle, or a negative value when no buffer could be had.
int AllocArtBuffer(int width, int height);
// Frees a buffer this code allocated and sets the handle to -1. A buffer that is the drawing
// target is closed first, since the graphics layer refuses to free the active buffer.
void FreeArtBuffer(int* handle);
// Draws a media BMP ("artwork\\backs.bmp") into the buffer and leaves it the drawing target.
// Returns the reader's result; nothing is drawn for a negative handle.
int ShowBmpInBuffer(int buffer, const char* mediaName);
// The same for a baseline JPEG, with a working buffer sized for that picture.
int ShowJpegInBuffer(int buffer, const char* mediaName);

// Puts the drawing target back as it was when the keeper was made, so loading artwork does not
// pull the drawing away from the buffer its caller was working on.
class ActiveBufferKeeper {
public:
  ActiveBufferKeeper();
  ~ActiveBufferKeeper();
  ActiveBufferKeeper(const ActiveBufferKeeper&) = delete;
  ActiveBufferKeeper& operator=(const ActiveBufferKeeper&) = delete;

private:
  int saved_;
};
