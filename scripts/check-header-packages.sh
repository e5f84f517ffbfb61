#!/usr/bin/env bash
# Checks that every system file the builds compile comes from a package the
# install scripts install, whatever else this machine happens to have.
#
#   scripts/check-header-packages.sh linux|windows BUILD_DIR...
#
# The files are what `ninja -t deps` lists for each build directory (so the
# directories must have been built): headers, and sources compiled from the
# system such as GoogleTest's for the Windows build. Files of this source
# tree and of the build directories (the libpng source fetched at configure
# time among them) are the project's own and are left out. The Debian
# package that owns each file (`dpkg -S`, tried on the path as the compiler
# saw it and with its symbolic links resolved) must be in the closure of the
# install script's list under Depends and Pre-Depends alone, as apt installs
# it without recommended packages: scripts/install-deps.sh for linux,
# scripts/install-windows-deps.sh --win64 for windows. Prints each package
# that is missing, with a file it owns, and fails; a file no package owns
# fails too.
set -euo pipefail

die() { echo "check-header-packages: $*" >&2; exit 2; }

[ $# -ge 2 ] || die "usage: $0 linux|windows BUILD_DIR..."
top=$(cd "$(dirname "$0")/.." && pwd -P)
case "$1" in
  linux) list_cmd=(bash "$top/scripts/install-deps.sh" --list) ;;
  windows) list_cmd=(bash "$top/scripts/install-windows-deps.sh" --win64 --list) ;;
  *) die "the first argument is linux or windows, not '$1'" ;;
esac
kind=$1
shift

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The files each build read, as absolute paths with '..' folded away.
excluded=("$top")
for dir in "$@"; do
  [ -f "$dir/build.ninja" ] || die "$dir is not a configured Ninja build directory"
  [ -f "$dir/.ninja_deps" ] || die "$dir has not been built (no .ninja_deps)"
  excluded+=("$(cd "$dir" && pwd -P)")
  ninja -C "$dir" -t deps | awk '/^[ \t]+\// { sub(/^[ \t]+/, ""); print }' >>"$work/raw"
done
[ -s "$work/raw" ] || die "the builds list no dependencies at all"
sort -u "$work/raw" | while read -r f; do
  [ -e "$f" ] || continue
  f=$(realpath -s -m "$f")
  own=0
  for e in "${excluded[@]}"; do
    case "$f" in "$e"/*) own=1 ;; esac
  done
  [ "$own" -eq 1 ] || echo "$f"
done | sort -u >"$work/files"

# Owners: "pkg[:arch][, pkg...]: /path" per file found. Tried first as the
# compiler saw the path, then with links resolved (e.g. /usr/include/GL,
# whose headers a package may register under their real place).
owners() {  # FILE-LIST -> "path<TAB>pkg, pkg" lines
  [ -s "$1" ] || return 0
  tr '\n' '\0' <"$1" | xargs -0 dpkg-query -S 2>/dev/null |
    awk '!/^diversion / { i = index($0, ": /"); if (i) print substr($0, i + 2) "\t" substr($0, 1, i - 1) }' || true
}
owners "$work/files" >"$work/owned"
cut -f1 "$work/owned" | sort -u >"$work/owned-paths"
comm -23 "$work/files" "$work/owned-paths" >"$work/unowned"
: >"$work/resolved-map"
while read -r f; do
  r=$(realpath -e "$f" 2>/dev/null || true)
  [ -n "$r" ] && [ "$r" != "$f" ] && printf '%s\t%s\n' "$r" "$f" >>"$work/resolved-map"
done <"$work/unowned"
cut -f1 "$work/resolved-map" | sort -u >"$work/resolved"
owners "$work/resolved" >"$work/owned-resolved"
# Back to the paths the compiler saw.
awk -F'\t' 'NR == FNR { seen[$1] = $2; next } ($1 in seen) { print seen[$1] "\t" $2 }' \
  "$work/resolved-map" "$work/owned-resolved" >>"$work/owned"
cut -f1 "$work/owned" | sort -u >"$work/owned-paths"
comm -23 "$work/files" "$work/owned-paths" >"$work/unowned"

# The closure of the install list under Depends and Pre-Depends, as real
# package names: apt-cache lists a virtual package as <name> followed by its
# providers. Native packages are named without their architecture.
native=$(dpkg --print-architecture)
mapfile -t listed < <("${list_cmd[@]}")
[ "${#listed[@]}" -gt 0 ] || die "${list_cmd[*]} listed no packages"
apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
    --no-replaces --no-enhances "${listed[@]}" >"$work/depends" 2>"$work/depends.err" ||
  die "apt-cache depends failed (run apt-get update?): $(cat "$work/depends.err")"
awk -v native=":$native" '
  function emit(name) {
    if (name ~ /^</) return  # a virtual package; its providers follow
    if (substr(name, length(name) - length(native) + 1) == native) name = substr(name, 1, length(name) - length(native))
    print name
  }
  /^[^ \t]/ { emit($1); next }
  /^[ \t]*\|?(Depends|PreDepends):/ { emit($2); next }
  /^[ \t]+[^ \t:]+$/ { emit($1) }
' "$work/depends" | sort -u >"$work/closure"

# Every file needs one of its owners in the closure.
awk -F'\t' -v native=":$native" '
  NR == FNR { have[$1] = 1; next }
  {
    n = split($2, pkgs, /, /)
    ok = 0
    for (i = 1; i <= n; i++) {
      p = pkgs[i]
      if (substr(p, length(p) - length(native) + 1) == native) p = substr(p, 1, length(p) - length(native))
      pkgs[i] = p
      if (p in have) ok = 1
    }
    if (!ok) {
      key = pkgs[1]
      for (i = 2; i <= n; i++) key = key " or " pkgs[i]
      if (!(key in example)) { example[key] = $1; order[++k] = key }
      count[key]++
    }
  }
  END {
    for (i = 1; i <= k; i++) {
      key = order[i]
      printf "  %s (owns %s", key, example[key]
      if (count[key] > 1) printf " and %d more", count[key] - 1
      print ")"
    }
  }
' "$work/closure" "$work/owned" >"$work/missing"

n_files=$(wc -l <"$work/files")
status=0
if [ -s "$work/missing" ]; then
  echo "check-header-packages: packages the $kind builds use that ${list_cmd[1]##*/} does not install (nor anything it depends on):" >&2
  cat "$work/missing" >&2
  status=1
fi
if [ -s "$work/unowned" ]; then
  echo "check-header-packages: files the $kind builds use that no package owns:" >&2
  sed 's/^/  /' "$work/unowned" >&2
  status=1
fi
[ "$status" -eq 0 ] &&
  echo "check-header-packages: $n_files system files of the $kind builds, all from packages that ${list_cmd[1]##*/} installs"
exit "$status"
