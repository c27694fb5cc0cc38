#!/usr/bin/env bash
# Runs one test with a fresh temporary home and XDG folders, removed afterwards.
set -u
home=$(mktemp -d "${TMPDIR:-/tmp}/tarsel-test.XXXXXX")
trap 'rm -rf "$home"' EXIT
export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" XDG_CACHE_HOME="$home/.cache"
export XDG_RUNTIME_DIR="$home/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
"$@"
