// window-probe: looks at windows with Win32 calls, for the tests under Wine.
//   window-probe find TITLE [PARENT] [SECONDS]
//       waits (default 60 s) for a visible window captioned TITLE, top-level
//       or, given PARENT (a handle in hexadecimal), a direct child of it, and
//       prints "window=HEX parent=HEX x=X y=Y width=W height=H client=CX,CY"
//       (x, y within the parent's client area, or on the screen for a
//       top-level window; width and height of the whole window; client: the
//       screen position of its client area, where clicks are aimed).
//   window-probe close HEX
//       posts WM_CLOSE to the window, as the host or a user closing it would.
// Exit status 1 when no such window appears.
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/platform.h"

namespace {

// Throws std::invalid_argument when the text is not hexadecimal.
HWND fromHexadecimal(const std::string& text) {
  std::size_t used = 0;
  const unsigned long long handle = std::stoull(text, &used, 16);
  if (used != text.size()) throw std::invalid_argument("not a window handle: " + text);
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(handle));
}

std::string hexadecimal(HWND window) {
  char text[20];
  std::snprintf(text, sizeof text, "%llX",
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window)));
  return text;
}

std::wstring wide(const std::string& utf8) {
  const int size = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), size);
  return text;
}

int find(const std::string& title, HWND parent, int seconds) {
  const std::wstring caption = wide(title);
  HWND window = nullptr;
  for (int tries = seconds * 10; tries > 0; --tries) {
    window = ::FindWindowExW(parent, nullptr, nullptr, caption.c_str());
    if (window && ::IsWindowVisible(window)) break;
    window = nullptr;
    ::Sleep(100);
  }
  if (!window) {
    std::cerr << "window-probe: no visible window \"" << title << "\"\n";
    return 1;
  }
  RECT frame;
  ::GetWindowRect(window, &frame);
  // Within the parent's client area; MapWindowPoints with no parent keeps screen coordinates.
  ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&frame), 2);
  POINT client{0, 0};
  ::ClientToScreen(window, &client);
  HWND actualParent = ::GetAncestor(window, GA_PARENT);
  if (actualParent == ::GetDesktopWindow()) actualParent = nullptr;
  std::cout << "window=" << hexadecimal(window) << " parent=" << hexadecimal(actualParent)
            << " x=" << frame.left << " y=" << frame.top << " width=" << frame.right - frame.left
            << " height=" << frame.bottom - frame.top << " client=" << client.x << ',' << client.y
            << std::endl;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  support::prepareConsoleOutput();
  const std::vector<std::string> args = support::commandLineArguments(argc, argv);
  try {
    if (args.size() >= 2 && args.size() <= 4 && args[0] == "find") {
      return find(args[1], args.size() >= 3 ? fromHexadecimal(args[2]) : nullptr,
                  args.size() == 4 ? std::stoi(args[3]) : 60);
    }
    if (args.size() == 2 && args[0] == "close") {
      return ::PostMessageW(fromHexadecimal(args[1]), WM_CLOSE, 0, 0) ? 0 : 1;
    }
  } catch (const std::exception& e) {
    std::cerr << "window-probe: " << e.what() << '\n';
    return 2;
  }
  std::cerr << "usage: window-probe find TITLE [PARENT] [SECONDS]\n"
               "       window-probe close HEX\n";
  return 2;
}
