// The host window as a plain Win32 window, and the converter started with
// CreateProcess, as the host does on Windows.
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX  // MinGW's libstdc++ defines it
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <iostream>
#include <string>

#include "tools/host_stub/host_window.h"

namespace host_stub {
namespace {

constexpr wchar_t kClassName[] = L"OrvalinHostStub";
constexpr int kClientWidth = 620;
constexpr int kClientHeight = 300;

LRESULT CALLBACK hostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(window, &paint);
    ::FillRect(dc, &paint.rcPaint, reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1));
    ::EndPaint(window, &paint);
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

HWND openHostWindow() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = hostWindowProc;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.lpszClassName = kClassName;
  ::RegisterClassW(&windowClass);
  // The converter draws itself inside: the host does not paint over it.
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  RECT frame{0, 0, kClientWidth, kClientHeight};
  ::AdjustWindowRect(&frame, style, FALSE);
  HWND window = ::CreateWindowW(kClassName, L"Orvalin (host-stub)", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
  ::ShowWindow(window, SW_SHOWNORMAL);
  ::UpdateWindow(window);
  return window;
}

std::wstring hexadecimal(HWND window) {
  wchar_t text[20];
  std::swprintf(text, 20, L"%llX", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window)));
  return text;
}

std::string narrow(const std::wstring& text) {
  std::string bytes;
  for (wchar_t c : text) bytes += c < 0x80 ? static_cast<char>(c) : '?';
  return bytes;
}

// Runs the window's messages until the process ends.
void waitWithMessages(HANDLE process) {
  while (::MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
}

}  // namespace

std::filesystem::path defaultConverter() {
  wchar_t self[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  return std::filesystem::path(std::wstring(self, length)).parent_path() / L"../../src/app/transorvaldae.exe";
}

bool runConverterInHostWindow(const std::filesystem::path& converter, const std::string& direction) {
  HWND host = openHostWindow();
  const std::wstring handle = hexadecimal(host);
  std::cout << "host-window=" << narrow(handle) << std::endl;

  std::wstring commandLine =
      L"\"" + converter.wstring() + L"\" " + std::wstring(direction.begin(), direction.end()) + L" " + handle;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(converter.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    std::cerr << "host-stub: the converter did not start (error " << ::GetLastError() << ")\n";
    ::DestroyWindow(host);
    return false;
  }
  ::CloseHandle(process.hThread);
  waitWithMessages(process.hProcess);
  ::CloseHandle(process.hProcess);
  ::DestroyWindow(host);
  return true;
}

std::string readHandedOverResult(const std::filesystem::path& ini) {
  wchar_t value[64];
  ::GetPrivateProfileStringW(L"Transformadores", L"Transformado", L"", value, 64, ini.c_str());
  return narrow(value);
}

}  // namespace host_stub
