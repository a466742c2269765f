#!/usr/bin/env bash
# Builds the project and runs the demo host: it registers the add-in, loads
# it into the simulated Outlook as Outlook does, plays a user through the
# add-in's actions and dialogs, quits, and shows what happened. The pictures
# of the dialogs shown are copied to build/demo-dialogs/. Options go to
# lorvane-host (--data DIR keeps the machine in DIR instead of a fresh one).
source "$(dirname "$0")/lib.sh"
ensure_packages
configure_and_build "$ROOT/build" "${MAIN_BUILD[@]}"

data=""
args=("$@")
for ((i = 0; i < ${#args[@]}; ++i)); do
  [ "${args[i]}" = "--data" ] && data="${args[i + 1]:-}"
done
if [ -z "$data" ]; then
  data="$ROOT/build/demo-machine"
  rm -rf "$data"
  args=(--data "$data" "${args[@]}")
fi

status=0
"$ROOT/build/bin/lorvane-host" "${args[@]}" demo || status=$?
pictures="$ROOT/build/demo-dialogs"
rm -rf "$pictures"
dialogs="$data/LocalAppData/LorvaneOL/dialogs"
if [ -d "$dialogs" ]; then
  cp -r "$dialogs" "$pictures"
  echo "Pictures of the dialogs shown: $pictures"
fi
exit "$status"
