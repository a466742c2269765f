# Shared by demo.sh and test.sh: installs what is missing, configures and builds.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# Parallel jobs: JOBS from the environment (CI passes JOBS=2), else every core.
JOBS="${JOBS:-$(nproc 2>/dev/null || echo 2)}"

# Debian packages the build needs, by name.
PACKAGES=(
  build-essential cmake ninja-build pkg-config
  clang-14 libclang-rt-14-dev clang-format-14
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libssl-dev libxml2-dev libexpat1-dev libpugixml-dev
  libfreetype-dev libfontconfig-dev fonts-dejavu-core libpng-dev
  nodejs npm
  libjpeg62-turbo-dev libgif-dev
)

# Installs every package of PACKAGES that is not installed yet.
ensure_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    # A Node.js that brings its own npm (and conflicts with Debian's) will do.
    [ "$p" = npm ] && command -v npm >/dev/null 2>&1 && continue
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
  fi
}

# The everyday build of the tests and the demo: light optimisation compiles
# much faster than -O2 with debug information and still finds what the
# optimiser's warnings find. Benchmarks are measured in a Release build of
# their own (see the README).
MAIN_BUILD=(-DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O1" "-DCMAKE_C_FLAGS_RELEASE=-O1")

# The sanitizer build: no optimisation, line tables only (enough for the
# sanitizers' stack traces).
SANITIZER_BUILD=(-DCMAKE_BUILD_TYPE=Debug -DLORVANE_SANITIZE=ON -DLORVANE_BENCH=OFF
  "-DCMAKE_CXX_FLAGS_DEBUG=-gline-tables-only" "-DCMAKE_C_FLAGS_DEBUG=-gline-tables-only"
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14)

# configure_and_build DIR [cmake options...]
configure_and_build() {
  local dir="$1"; shift
  cmake -S "$ROOT" -B "$dir" -G Ninja "$@" >/dev/null &&
    cmake --build "$dir" -j "$JOBS"
}

# Stage timing: `stage NAME command...` runs a command as a named stage and
# notes how long it took, answering the command's status (errexit does not
# reach inside the command, so a command of several steps chains them with
# &&); print_stage_times prints the notes and the time since the script
# started (also after a failing stage, from an EXIT trap).
STAGE_TIMES=()
stage() {
  local name="$1"; shift
  local start=$SECONDS
  local status=0
  echo "== $name"
  "$@" || status=$?
  STAGE_TIMES+=("$(printf '%-26s %5ds' "$name" $((SECONDS - start)))")
  return "$status"
}
print_stage_times() {
  echo "== Stage times (JOBS=$JOBS)"
  local line
  for line in "${STAGE_TIMES[@]}"; do echo "  $line"; done
  printf '  %-26s %5ds\n' "whole run" "$SECONDS"
}
