// The floor for the program's start-up: a bare SDL window of the same size and kind, shown with a
// black picture on its window surface, then closed. scripts/measure-startup times it side by side
// with the program's own start-up to the title screen.
#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <cstring>

int main() {
  const auto started = std::chrono::steady_clock::now();
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "bare-window: %s\n", SDL_GetError());
    return 1;
  }
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_Window* window = SDL_CreateWindow("bare window", SDL_WINDOWPOS_CENTERED,
                                        SDL_WINDOWPOS_CENTERED, 800, 600, SDL_WINDOW_HIDDEN);
  if (window == nullptr) {
    std::fprintf(stderr, "bare-window: %s\n", SDL_GetError());
    SDL_Quit();
    return 1;
  }
  SDL_ShowWindow(window);
  SDL_Surface* surface = SDL_GetWindowSurface(window);
  if (surface != nullptr) {
    SDL_FillRect(surface, nullptr, 0);
    SDL_UpdateWindowSurface(window);
  }
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
  }
  const auto shown =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started);
  std::printf("window shown after %.1f ms\n", shown.count());
  std::fflush(stdout);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
