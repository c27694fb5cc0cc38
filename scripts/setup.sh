#!/usr/bin/env bash
# Installs what packages.txt names and this machine lacks. Sourced by run.sh, test.sh and bench.sh.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

missing=()
while read -r pkg; do
    pkg=${pkg%%#*}; pkg=${pkg//[[:space:]]/}
    [ -n "$pkg" ] || continue
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
done < "$root/packages.txt"

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# JOBS from the environment caps the build's parallel jobs on a machine shared with other work.
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/tarsel-ccache}
# Clones in other folders (worktrees, CI) reuse the cache: paths are hashed relative to the root.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
