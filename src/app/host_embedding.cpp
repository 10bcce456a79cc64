#include "app/host_embedding.h"

#include <QWidget>

namespace app {

HostEmbedding::HostEmbedding(QWidget& window, std::uint32_t hostWindow) : m_window(window) {
  window.setWindowFlag(Qt::FramelessWindowHint);
  m_host.reset(QWindow::fromWinId(static_cast<WId>(hostWindow)));
  if (!m_host) return;
  window.winId();  // creates the native window to re-parent
  window.windowHandle()->setParent(m_host.get());
  window.move(2, 2);
}

HostEmbedding::~HostEmbedding() {
  // Destroying the foreign window object would take the window's own native
  // window with it; the host's window itself is never destroyed here.
  if (QWindow* own = m_window.windowHandle(); own && m_host) own->setParent(nullptr);
}

}  // namespace app
