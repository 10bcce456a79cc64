# Installs the Debian packages named as arguments when any is missing
# (apt-get update once, then apt-get install -y). Sourced by run.sh and test.sh.
ensure_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    dpkg -s "$pkg" >/dev/null 2>&1 || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
}

# Packages every build needs.
CORE_PACKAGES=(cmake ninja-build g++ libgtest-dev libgmock-dev)
# Packages the windows, their tests and the embedding test under Xvfb need:
# Qt 6 Widgets (with Qt Test and the offscreen/xcb platform plugins), the X
# virtual framebuffer with its auth helper, xwininfo (x11-utils) and xdotool
# to inspect and drive windows, and fonts that stand in for the window fonts
# (Liberation Sans has Arial's metrics).
GUI_PACKAGES=(qt6-base-dev xvfb x11-utils xauth xdotool fonts-dejavu-core fonts-liberation2)
