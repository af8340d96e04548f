#!/usr/bin/env bash
# Builds the Debian package of a build folder with `cpack -G DEB` and checks
# it: the files it installs (all expected ones, nothing else), the
# dependencies dpkg-shlibdeps computed from the binaries, the verdicts of
# desktop-file-validate and appstreamcli on its menu entry and metainfo, that
# the names tying entry, metainfo and icon together agree, and that the
# worksheet tool's manual page documents every option, method and exit code
# of the packaged tool; the licence, copyright file and changelog, the one web
# address, and that `lintian --pedantic` finds no error or warning.
# Usage: check-deb.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
id=org.brindlecove.VandrelsholmSpeedMath
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND"' ERR

for tool in cpack dpkg-deb dpkg-shlibdeps file desktop-file-validate appstreamcli man groff lintian; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/setup.sh installs it)"; exit 1; }
done

if ! (cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1); then
  cat "$work/cpack.log"; echo "FAIL: cpack -G DEB"; exit 1
fi
debs=("$work"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: expected one .deb, found: ${debs[*]}"; exit 1; }
deb=${debs[0]}
echo "package: $(basename "$deb")"

# ---- the files: every expected one exactly once, nothing else
expected=(
  "usr/bin/vandrelsholm-speed-math"
  "usr/bin/vandrelsholm-worksheet"
  "usr/lib/([^/]+/)?vandrelsholm-speed-math/plugins/vandrelsholm-sound\.so"
  "usr/share/applications/$id\.desktop"
  "usr/share/metainfo/$id\.metainfo\.xml"
  "usr/share/icons/hicolor/scalable/apps/$id\.svg"
  "usr/share/man/man1/vandrelsholm-speed-math\.1\.gz"
  "usr/share/man/man1/vandrelsholm-worksheet\.1\.gz"
  "usr/share/doc/vandrelsholm-speed-math/copyright"
  "usr/share/doc/vandrelsholm-speed-math/changelog\.gz"
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$id\.png")
done
while IFS= read -r f; do
  expected+=("usr/share/vandrelsholm-speed-math/Help/$(printf '%s' "$f" | sed 's/[.[\*^$()+?{|]/\\&/g')")
done < <(cd "$source/resources/help" && find . -type f ! -name README.md | sed 's|^\./||')
for side in Right Wrong; do
  while IFS= read -r f; do
    expected+=("usr/share/vandrelsholm-speed-math/Sounds/$side/${f//./\\.}")
  done < <(cd "$source/resources/sounds/$side" && ls)
done

dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's|^\./||' | grep -v '/$' | sort >"$work/files"
for pattern in "${expected[@]}"; do
  n=$(grep -Ec "^${pattern}\$" "$work/files" || true)
  [ "$n" -eq 1 ] || fail "the package holds $n files matching $pattern"
done
while IFS= read -r f; do
  matched=0
  for pattern in "${expected[@]}"; do
    if [[ $f =~ ^${pattern}$ ]]; then matched=1; break; fi
  done
  [ $matched -eq 1 ] || fail "unexpected file in the package: $f"
done <"$work/files"
echo "files: $(wc -l <"$work/files")"

# ---- no maintainer scripts: installing and removing it only adds and takes away files
dpkg-deb -e "$deb" "$work/control"
scripts=$(cd "$work/control" && ls | grep -vxE 'control|md5sums' || true)
[ -z "$scripts" ] || fail "the package has maintainer scripts: $scripts"

# ---- dependencies computed from the binaries (the sound module brings QtMultimedia)
depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
for package in libc6 libqt6core6 libqt6widgets6 libqt6multimedia6 fonts-liberation; do
  [[ ", $depends," == *", $package"[\ ,]* ]] || fail "Depends lacks $package"
done

# ---- the unpacked package: validators and the names that tie it together
root=$work/root
dpkg-deb -x "$deb" "$root"
desktop=$root/usr/share/applications/$id.desktop
metainfo=$root/usr/share/metainfo/$id.metainfo.xml
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the menu entry"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects the metainfo"

entry() { sed -n "s/^$1=//p" "$desktop"; }
exec_line=$(entry Exec)
[ -x "$root/usr/bin/${exec_line%% *}" ] || fail "Exec=$exec_line is not a program of the package"
[ "$(entry Icon)" = "$id" ] || fail "Icon=$(entry Icon), expected $id"
# Qt names a window's X11 class instance after the program file.
[ "$(entry StartupWMClass)" = "${exec_line%% *}" ] || fail "StartupWMClass=$(entry StartupWMClass), expected ${exec_line%% *}"
[[ "$(entry Categories)" == *Education\;* && "$(entry Categories)" == *Math\;* ]] || fail "Categories=$(entry Categories)"
[ -n "$(entry Comment)" ] || fail "the menu entry has no Comment"
grep -q "<id>$id</id>" "$metainfo" || fail "metainfo id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "metainfo does not launch $id.desktop"
version=$(dpkg-deb -f "$deb" Version)
grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo has no release $version"
grep -q '<content_rating type="oars-1.1"' "$metainfo" || fail "metainfo has no content rating"
shots=$(grep -c '<image type="source"' "$metainfo" || true)
[ "$shots" -eq "$(ls "$source"/docs/screenshots/*.png | wc -l)" ] || fail "metainfo shows $shots screenshots, docs/screenshots has more or fewer"
while IFS= read -r shot; do
  grep -q "/screenshots/$(basename "$shot")</image>" "$metainfo" || fail "metainfo lacks $(basename "$shot")"
done < <(ls "$source"/docs/screenshots/*.png)

# ---- licence, copyright file, changelog, the one web address
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo" || fail "metainfo project_license is not GPL-3.0-or-later"
grep -q '<metadata_license>CC0-1.0</metadata_license>' "$metainfo" || fail "metainfo metadata_license is not CC0-1.0"
cmp -s "$source/LICENSE" /usr/share/common-licenses/GPL-3 || fail "LICENSE is not the text of the GPL version 3"
doc=$root/usr/share/doc/vandrelsholm-speed-math
head -1 "$doc/copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' \
  || fail "the copyright file is not in the machine-readable format"
grep -q '^License: GPL-3+$' "$doc/copyright" || fail "the copyright file states no GPL-3+"
changelog_version=$(zcat "$doc/changelog.gz" | sed -n '1s/^vandrelsholm-speed-math (\([^)]*\)).*/\1/p')
[ "$changelog_version" = "$version" ] || fail "the changelog's last entry is '$changelog_version', the package $version"
homepage=$(dpkg-deb -f "$deb" Homepage)
[[ $homepage == https://*/ ]] || fail "Homepage '$homepage'"
grep -q "<url type=\"homepage\">$homepage</url>" "$metainfo" || fail "metainfo homepage is not $homepage"
for type in help bugtracker; do
  grep -q "<url type=\"$type\">$homepage[^<]*</url>" "$metainfo" || fail "metainfo has no $type URL under $homepage"
done
while IFS= read -r url; do
  [[ $url == "$homepage"* || $url == https://www.gnu.org/* ]] || fail "$url is not under $homepage"
done < <(grep -ohE 'https?://[^ <>"]+' "$metainfo" "$doc/copyright" | grep -v copyright-format)
grep -q "^Source: $homepage\$" "$doc/copyright" || fail "the copyright file's Source is not $homepage"
# The program's --help (which needs no display) names the same address as its About box does.
"$root/usr/bin/vandrelsholm-speed-math" --help | grep -qxF "Home page: $homepage" || fail "--help does not name $homepage"

# ---- lintian, pedantic: no error and no warning
lintian --pedantic --tag-display-limit 0 "$deb" >"$work/lintian.txt" 2>&1 || true
if grep -E '^[EW]: ' "$work/lintian.txt"; then fail "lintian reports errors or warnings"; fi
echo "lintian: no error or warning, $(grep -cE '^[IPX]: ' "$work/lintian.txt" || true) remarks below"

# ---- manual pages: render without warnings; the worksheet page covers the packaged tool
for page in "$root"/usr/share/man/man1/*.1.gz; do
  warnings=$(zcat "$page" | LC_ALL=C.UTF-8 groff -man -ww -z -Tutf8 2>&1)
  [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done
MANWIDTH=100 LC_ALL=C.UTF-8 man -l "$root/usr/share/man/man1/vandrelsholm-worksheet.1.gz" 2>/dev/null >"$work/worksheet.txt"
"$root/usr/bin/vandrelsholm-worksheet" --help >"$work/help.txt"
for option in $(grep -oE -- '--[a-z]+' "$work/help.txt" | sort -u); do
  grep -qE -- "^ {7}$option( |,|$)" "$work/worksheet.txt" || fail "the manual page does not describe $option"
done
methods=$(sed -n '/^Methods:/,/^$/p' "$work/help.txt" | { grep -E '^  [a-z-]+$' || true; } | tr -d ' ')
[ -n "$methods" ] || fail "the tool's --help lists no methods"
methods+=" $(sed -n 's/^  not available yet: //p' "$work/help.txt" | tr -d ',')"
for method in $methods; do
  grep -qE "^ {7}$method( |$)" "$work/worksheet.txt" || fail "the manual page does not describe method $method"
done
# Each option value in the "Options" part of its own method's entry.
while IFS='|' read -r method values; do
  entry=$(awk -v m="$method" '$0 ~ "^       " m "( |$)" {on = 1; print; next} on && /^       [a-z]/ {on = 0} on' "$work/worksheet.txt" | tr '\n' ' ' | sed 's/.*Options//')
  while IFS= read -r value; do
    [[ " $entry " =~ [\ ,:\(]"$value"[,.\;\)\ ] ]] || fail "the manual page does not name option value $value of $method"
  done < <(printf '%s\n' "$values" | sed 's/, /\n/g')
done < <(awk '/^  [a-z-]+$/ {m = $1} /^      --option \(/ {sub(/^[^:]*: /, ""); sub(/; default .*/, ""); print m "|" $0}' "$work/help.txt")
exit_codes=$(sed -n '/^EXIT STATUS/,/^[A-Z]/p' "$work/worksheet.txt" | { grep -oE '^ {7}[0-9]+( |$)' || true; } | tr -d ' ' | sort | tr '\n' ' ')
[ "$exit_codes" = "0 1 2 " ] || fail "EXIT STATUS lists '$exit_codes', the tool exits with 0, 1 and 2"
# ... and the tool exits as the page says.
code=0; "$root/usr/bin/vandrelsholm-worksheet" no-such-method 2>/dev/null || code=$?
[ $code -eq 2 ] || fail "a refused call exits $code, the page says 2"
code=0; "$root/usr/bin/vandrelsholm-worksheet" multiply-basic 93821547x12 2>/dev/null >/dev/full || code=$?
[ $code -eq 1 ] || fail "output that cannot be written exits $code, the page says 1"

if [ $failures -ne 0 ]; then
  echo "$failures failed"; exit 1
fi
echo "the package passed every check"
