#!/usr/bin/env bash
# Runs a Windows test under Wine in the prefix that ctest handed it (scripts/common.sh's start_prefix_slots), on that
# prefix's display and at its priority; without one, in the prefix and on the display of its environment.
# Usage: in-prefix-slot.sh PROGRAM [ARGUMENTS...]
set -euo pipefail
if [ -n "${CTEST_RESOURCE_GROUP_0_WINE_PREFIX:-}" ]; then
    slot=${CTEST_RESOURCE_GROUP_0_WINE_PREFIX#id:}
    export WINEPREFIX=$PC1_PREFIX_SLOTS-${slot%%,*}
    DISPLAY=$(cat "$WINEPREFIX/.pc1-display")
    export DISPLAY
    exec nice -n "$PC1_PREFIX_SLOT_NICENESS" wine "$@"
fi
exec wine "$@"
