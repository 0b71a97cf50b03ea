#include "app/fit_form_to_screen.h"

namespace tarvex {

Bounds FitFormToScreen(Bounds form, int screenWidth, int screenHeight) {
  // Each step sees the result of the one before; sums are taken wide so that no stored value,
  // however wild, can overflow them.
  if (screenWidth < static_cast<long long>(form.left) + form.width) {
    form.left = screenWidth - form.width;
  }
  if (screenHeight < static_cast<long long>(form.top) + form.height) {
    form.top = screenHeight - form.height;
  }
  if (form.left < 0) form.left = 0;
  if (form.top < 0) form.top = 0;
  if (screenWidth < form.width) form.width = screenWidth;
  if (screenHeight < form.height) form.height = screenHeight;
  return form;
}

}  // namespace tarvex
