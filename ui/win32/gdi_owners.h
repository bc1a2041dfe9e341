#pragma once
// Owners for the GDI objects, image lists, menus and device notifications a
// window holds: not copyable, released when they go.

#include <windows.h>
#include <commctrl.h>

#include "sys/win32/handle.h"

namespace prn::ui {

struct FontTraits {
  using Handle = HFONT;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { DeleteObject(h); }
};
using GdiFont = win32::UniqueHandle<FontTraits>;

struct BitmapTraits {
  using Handle = HBITMAP;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { DeleteObject(h); }
};
using GdiBitmap = win32::UniqueHandle<BitmapTraits>;

struct BrushTraits {
  using Handle = HBRUSH;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { DeleteObject(h); }
};
using GdiBrush = win32::UniqueHandle<BrushTraits>;

struct PenTraits {
  using Handle = HPEN;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { DeleteObject(h); }
};
using GdiPen = win32::UniqueHandle<PenTraits>;

struct ImageListTraits {
  using Handle = HIMAGELIST;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { ImageList_Destroy(h); }
};
using ImageList = win32::UniqueHandle<ImageListTraits>;

struct MenuTraits {
  using Handle = HMENU;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { DestroyMenu(h); }
};
using PopupMenu = win32::UniqueHandle<MenuTraits>;

struct DeviceNotifyTraits {
  using Handle = HDEVNOTIFY;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { UnregisterDeviceNotification(h); }
};
using DeviceNotification = win32::UniqueHandle<DeviceNotifyTraits>;

// A device context from GetDC, released to its window.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A memory device context compatible with `like`, deleted when it goes.
class MemoryDc {
 public:
  explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
  ~MemoryDc() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

}  // namespace prn::ui
