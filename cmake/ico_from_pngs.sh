#!/bin/sh
# Writes a Windows icon file that embeds PNG images as they are (each entry of an .ico may hold
# PNG data): ico_from_pngs.sh OUT.ico SIZE:FILE.png ...
set -eu
out=$1
shift
# A little-endian 16- or 32-bit number as bytes.
le16() { printf "$(printf '\\%03o\\%03o' $(($1 & 255)) $(($1 >> 8 & 255)))"; }
le32() { le16 $(($1 & 65535)); le16 $(($1 >> 16 & 65535)); }
tmp=$out.tmp
{
  le16 0
  le16 1
  le16 $#
  offset=$((6 + 16 * $#))
  for image in "$@"; do
    size=${image%%:*}
    file=${image#*:}
    bytes=$(wc -c <"$file")
    side=$size
    [ "$size" -ge 256 ] && side=0
    printf "$(printf '\\%03o\\%03o' "$side" "$side")"
    printf '\000\000'
    le16 1
    le16 32
    le32 "$bytes"
    le32 "$offset"
    offset=$((offset + bytes))
  done
  for image in "$@"; do cat "${image#*:}"; done
} >"$tmp"
mv "$tmp" "$out"
