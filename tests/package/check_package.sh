#!/usr/bin/env bash
# Builds the Debian package from the build tree into a scratch folder and
# checks what a user installs: the file list, the control fields, and that the
# desktop entry and the AppStream metainfo validate. Skipped (77) without
# dpkg-deb. Usage: check_package.sh BUILD_DIR
set -uo pipefail
build="$1"
for tool in dpkg-deb cpack; do
    command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1 || {
    cat "$scratch/cpack.log"
    exit 1
}
deb=$(ls "$scratch"/aqualen_*_amd64.deb 2>/dev/null | head -n1)
[ -n "$deb" ] || { echo "no aqualen_*_amd64.deb made"; ls "$scratch"; exit 1; }

files=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|')
for want in /usr/bin/aqualen /usr/bin/aqualen-cli \
    /usr/share/applications/aqualen.desktop \
    /usr/share/mime/packages/aqualen-work.xml \
    /usr/share/metainfo/org.example.aqualen.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/aqualen.svg \
    /usr/share/icons/hicolor/48x48/apps/aqualen.png \
    /usr/share/icons/hicolor/128x128/apps/aqualen.png \
    /usr/share/man/man1/aqualen.1.gz /usr/share/man/man1/aqualen-cli.1.gz \
    /usr/share/doc/aqualen/copyright; do
    grep -qx "$want" <<<"$files" || fail "missing $want"
done
# Nothing but the programs in /usr/bin, and nothing outside /usr.
extra=$(grep -E '^/usr/bin/.+[^/]$' <<<"$files" | grep -vxE '/usr/bin/aqualen(-cli)?')
[ -z "$extra" ] || fail "unexpected programs: $extra"
outside=$(grep -vE '^/$|^/usr(/|$)' <<<"$files")
[ -z "$outside" ] || fail "files outside /usr: $outside"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = aqualen ] || fail "Package: $(field Package)"
[ "$(field Architecture)" = amd64 ] || fail "Architecture: $(field Architecture)"
[[ "$(field Version)" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "Version: $(field Version)"
[[ "$(field Maintainer)" == *"<"*"@"*">" ]] || fail "Maintainer: $(field Maintainer)"
[ -n "$(field Section)" ] || fail "no Section"
depends=$(field Depends)
for want in libqt6widgets6 libqt6charts6 libqt6printsupport6 libc6 fonts-liberation \
    fonts-dejavu-core qt6-translations-l10n; do
    grep -q "$want" <<<"$depends" || fail "Depends lacks $want: $depends"
done
description=$(field Description)
grep -q 'hydrological series' <<<"$description" || fail "no English description"
grep -q 'гидролог' <<<"$description" || fail "no Russian description"
[[ $(basename "$deb") == aqualen_"$(field Version)"_amd64.deb ]] || fail "file name $(basename "$deb")"

dpkg-deb -x "$deb" "$scratch/root"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$scratch/root/usr/share/applications/aqualen.desktop" || fail "desktop entry"
else
    echo "no desktop-file-validate: desktop entry not validated"
fi
# The desktop entry opens the work file type the package registers.
grep -qx 'MimeType=application/x-aqualen-work;' "$scratch/root/usr/share/applications/aqualen.desktop" ||
    fail "desktop entry without the work file type"
grep -q 'Exec=aqualen %f' "$scratch/root/usr/share/applications/aqualen.desktop" || fail "Exec takes no file"
mime="$scratch/root/usr/share/mime/packages/aqualen-work.xml"
grep -q 'type="application/x-aqualen-work"' "$mime" && grep -q 'pattern="\*.aqualen"' "$mime" ||
    fail "mime type of the work file"
if command -v xmllint >/dev/null; then
    xmllint --noout "$mime" || fail "mime XML"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$scratch/root/usr/share/metainfo/org.example.aqualen.metainfo.xml" ||
        fail "metainfo"
else
    echo "no appstreamcli: metainfo not validated"
fi
# The installed programs answer without a window.
"$scratch/root/usr/bin/aqualen" --version | grep -qx "aqualen $(field Version)" || fail "aqualen --version"

[ "$failures" -eq 0 ] || exit 1
echo "package $(basename "$deb") checked"
