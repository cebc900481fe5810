#!/usr/bin/env bash
# Starts Velkscope from the given build folder.
set -euo pipefail
bin=${1:-build/release/bin}
exec "$bin/velkscope"
