// Works around a shutdown race of SDL's X11 back end, so closing the window never turns into a
// failed exit.
#pragma once

// SDL wakes a thread that waits for events by sending a message to the window over a second X
// connection. When the window is destroyed before the X server has handled that message, the
// server answers with BadWindow on the second connection, and Xlib's default handler ends the
// program with exit code 1 while SDL closes that connection. This installs an error handler that
// lets exactly that error pass and hands every other error on to the handler SDL installed.
// Call it before SDL_Init: SDL keeps the handler it finds and puts it back when it shuts down,
// so installing ours first keeps it in force until the very end. Does nothing without an X
// display.
void TolerateStaleWakeupsOnX11();

struct SDL_Window;

// False only when the window is on X11 and no window manager has announced itself on the root
// window (a bare X server such as Xvfb). SDL's full screen asks the window manager to do the
// work; without one the window stays as it was while SDL believes it covers the screen.
bool HasWindowManager(SDL_Window* window);
