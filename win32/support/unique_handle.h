// Ownership of the system's handles: each kind is released by its own function exactly once.
#pragma once

#include "win32/support/windows_api.h"

#include <utility>

namespace tarvex::win32 {

template <typename Handle, auto Release, Handle Empty = Handle{}>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Empty; }
  // Gives the handle up without releasing it, for a handle the system already released.
  Handle release() { return std::exchange(handle_, Empty); }
  void reset(Handle handle = Empty) {
    const Handle old = std::exchange(handle_, handle);
    if (old != Empty) Release(old);
  }

 private:
  Handle handle_ = Empty;
};

namespace detail {
inline void CloseKernelHandle(HANDLE h) { ::CloseHandle(h); }
inline void DeleteFont(HFONT h) { ::DeleteObject(h); }
inline void DestroyWindowHandle(HWND h) { ::DestroyWindow(h); }
inline void DestroyAccelerators(HACCEL h) { ::DestroyAcceleratorTable(h); }
inline void DestroyImageList(HIMAGELIST h) { ::ImageList_Destroy(h); }
inline void DeleteBitmap(HBITMAP h) { ::DeleteObject(h); }
inline void DestroyIconHandle(HICON h) { ::DestroyIcon(h); }
inline void DestroyMenuHandle(HMENU h) { ::DestroyMenu(h); }
inline void ReleaseLibrary(HMODULE h) { ::FreeLibrary(h); }
inline void DeleteDeviceContext(HDC h) { ::DeleteDC(h); }
}  // namespace detail

// Kernel objects whose "none" is null (processes, threads, pipes).
using UniqueKernelHandle = UniqueHandle<HANDLE, detail::CloseKernelHandle>;
using UniqueFont = UniqueHandle<HFONT, detail::DeleteFont>;
using UniqueWindow = UniqueHandle<HWND, detail::DestroyWindowHandle>;
using UniqueAccelerators = UniqueHandle<HACCEL, detail::DestroyAccelerators>;
using UniqueImageList = UniqueHandle<HIMAGELIST, detail::DestroyImageList>;
using UniqueBitmap = UniqueHandle<HBITMAP, detail::DeleteBitmap>;
using UniqueIcon = UniqueHandle<HICON, detail::DestroyIconHandle>;
using UniqueMenu = UniqueHandle<HMENU, detail::DestroyMenuHandle>;
using UniqueModule = UniqueHandle<HMODULE, detail::ReleaseLibrary>;
// A memory device context; deleting it lets go of the objects selected into it.
using UniqueMemoryDc = UniqueHandle<HDC, detail::DeleteDeviceContext>;

}  // namespace tarvex::win32
