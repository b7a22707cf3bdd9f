#!/usr/bin/env bash
# Adds a deb-src entry beside every deb entry of this machine's apt sources, with the same
# addresses, suites, components and keys, so that `apt-get source` fetches from the archive the
# machine already installs from. Writes /etc/apt/sources.list.d/velmora-deb-src.{sources,list}
# and updates the package lists. Run as root or with sudo at hand.
set -euo pipefail
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
lists=/etc/apt/sources.list.d

# deb822 files: every enabled stanza whose Types name deb, copied with Types: deb-src.
shopt -s nullglob
stanzas=$(awk '
  function flush() {
    if (text != "" && has_deb && !disabled) printf "%s%s", (printed++ ? "\n" : ""), text
    text = ""; has_deb = 0; disabled = 0
  }
  FNR == 1 { flush() }
  /^[[:space:]]*#/ { next }
  /^[[:space:]]*$/ { flush(); next }
  tolower($1) == "types:" {
    for (i = 2; i <= NF; i++) if ($i == "deb") has_deb = 1
    text = text "Types: deb-src\n"; next
  }
  tolower($1) == "enabled:" && tolower($2) == "no" { disabled = 1 }
  { text = text $0 "\n" }
  END { flush() }
' /dev/null "$lists"/*.sources)
# One-line files: every deb line as a deb-src line.
lines=$(cat /etc/apt/sources.list "$lists"/*.list 2>/dev/null |
  sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' || true)

[ -n "$stanzas$lines" ] || { echo "add-deb-src: the apt sources name no deb entry" >&2; exit 1; }
"${as_root[@]}" rm -f "$lists/velmora-deb-src.sources" "$lists/velmora-deb-src.list"
[ -z "$stanzas" ] || printf '%s\n' "$stanzas" | "${as_root[@]}" tee "$lists/velmora-deb-src.sources" >/dev/null
[ -z "$lines" ] || printf '%s\n' "$lines" | "${as_root[@]}" tee "$lists/velmora-deb-src.list" >/dev/null
"${as_root[@]}" apt-get update
