// The window's sizes as designed and as the settings file keeps them (width, height, column
// widths) are pixels at 96 dots per inch. A window on a monitor of another resolution shows them
// scaled to that monitor's; positions are screen pixels and are never scaled, since one desktop
// spans monitors of different resolutions.
#pragma once

namespace tarvex {

inline constexpr int kDesignDpi = 96;

// `value` at `toDpi` when it is `value` at `fromDpi`, rounded to the nearest pixel with halves
// away from zero, as the platform's MulDiv rounds; a result beyond the int range stops at its
// end. A resolution of 0 or less is none: the value stays as it is.
int ScaleBetweenDpis(int value, int fromDpi, int toDpi);

// A designed or stored size in the pixels of a monitor of `dpi`, and back.
inline int ScaleFromDesign(int designed, int dpi) {
  return ScaleBetweenDpis(designed, kDesignDpi, dpi);
}
inline int ScaleToDesign(int pixels, int dpi) { return ScaleBetweenDpis(pixels, dpi, kDesignDpi); }

// A size the window shows at `fromDpi`, once it has moved to a monitor of `toDpi`. It goes
// through its 96-dpi value, as the settings file would keep it: moving to another monitor and
// back gives the size it had, however often it is done.
inline int RescaleForDpi(int pixels, int fromDpi, int toDpi) {
  return ScaleFromDesign(ScaleToDesign(pixels, fromDpi), toDpi);
}

}  // namespace tarvex
