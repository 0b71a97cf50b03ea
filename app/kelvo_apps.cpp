#include "app/kelvo_apps.h"

namespace tarvex {

std::string AppTitle;

}  // namespace tarvex
