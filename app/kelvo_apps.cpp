#include "app/kelvo_apps.h"

namespace tarvex {

std::string AppTitle;
std::string AppIniFileName;

}  // namespace tarvex
