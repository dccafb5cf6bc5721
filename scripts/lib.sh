# Shared by the scripts: installs the Debian packages the build, the tests and the program need.
PACKAGES="cmake ninja-build g++ clang libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev
  qt6-base-dev qt6-base-dev-tools python3-dbf python3-dbfread xvfb xauth libgl1-mesa-dev poppler-utils
  libzip-dev pkg-config"

ensure_packages() {
  local missing=""
  for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
  done
  if [ -n "$missing" ]; then
    echo "Installiere:$missing"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing
  fi
}
