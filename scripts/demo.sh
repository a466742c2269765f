#!/usr/bin/env bash
# Builds the project and runs the demo host: it registers the add-in, loads
# it into the simulated Outlook as Outlook does, quits, and shows what
# happened. Options go to lorvane-host (--data DIR keeps the machine).
source "$(dirname "$0")/lib.sh"
ensure_packages
configure_and_build "$ROOT/build" "${MAIN_BUILD[@]}"
exec "$ROOT/build/bin/lorvane-host" "$@" demo
