// Hosting the main window inside the host's window: a borderless child of the
// native window whose handle the host passed, at (2, 2) in its client area.
// Where the platform cannot reach a foreign window (no foreign-window support,
// as on Wayland or the offscreen platform), nothing tells where the host
// window is, and the window is shown as a borderless top-level window.
#pragma once

#include <QWindow>

#include <cstdint>
#include <memory>

class QWidget;

namespace app {

class HostEmbedding {
 public:
  // Call before window is shown.
  HostEmbedding(QWidget& window, std::uint32_t hostWindow);
  // Detaches the window from the host window, which stays the host's.
  ~HostEmbedding();
  HostEmbedding(const HostEmbedding&) = delete;
  HostEmbedding& operator=(const HostEmbedding&) = delete;

 private:
  QWidget& m_window;
  std::unique_ptr<QWindow> m_host;
};

}  // namespace app
