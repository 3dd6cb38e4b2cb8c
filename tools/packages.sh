# The Debian packages the build, the tests and the workstation need.
ROVORA_PACKAGES=(
  build-essential cmake ninja-build clang clang-format libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libfreetype-dev libfontconfig-dev libedit-dev
  fonts-ipafont-gothic
  qt6-base-dev libqt6opengl6-dev qt6-svg-dev libglu1-mesa-dev xvfb xauth
  python3-ezdxf inventor-clients
  libpng-dev python3-pil libtiff-tools
)

install_packages() {
  local missing=()
  for p in "${ROVORA_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ "${#missing[@]}" -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}
