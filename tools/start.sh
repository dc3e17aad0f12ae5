# SPDX-License-Identifier: MIT
# What every maker in tools/ does first; sourced with the tool it needs and the
# folder it writes:  source tools/start.sh NAME COMMAND OUT
# Stops at once when COMMAND is missing, makes OUT, and gives a scratch folder
# $tmp that goes when the script ends, however it ends.
command -v "$2" >/dev/null || { echo "$1: '$2' not found" >&2; exit 1; }
out=$3
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
