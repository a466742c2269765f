#!/usr/bin/env bash
# Builds the project and runs the demo host: it loads the add-in into the
# simulated Outlook and shows what it does.
source "$(dirname "$0")/lib.sh"
ensure_packages
configure_and_build "$ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ -x "$ROOT/build/bin/lorvane-host" ]; then
  exec "$ROOT/build/bin/lorvane-host" demo "$@"
fi
echo "Built. There is nothing to run yet: the demo host arrives with the add-in library."
