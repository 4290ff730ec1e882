#include "engine/GameServices.h"

GameServices& TheGameServices() {
  static GameServices services;
  return services;
}

void ResetGameServices() {
  TheGameServices() = GameServices{};
}
