#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian package from a finished build and checks it as a distribution would: lintian
# reports no error, and what the package must hold is there. Skipped (77) without lintian.
#   package.sh BUILD_FOLDER
set -uo pipefail
build=$1
for tool in lintian cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/*.deb)
failed=0
fail() { echo "FAIL: $*"; failed=1; }

# lintian --fail-on error: errors fail, warnings are listed for whoever reads the log.
lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian reports errors"

contents=$(dpkg-deb -c "$deb")
for file in ./usr/share/doc/quillet/copyright ./usr/share/doc/quillet/changelog.gz; do
  grep -q " $file\$" <<<"$contents" || fail "the package holds no $file"
done
dpkg-deb -f "$deb" Depends | grep -Eq '(^|, )qt6-qpa-plugins(,|$)' || fail "it does not depend on qt6-qpa-plugins"

dpkg-deb -x "$deb" "$out/root"
metainfo=$out/root/usr/share/metainfo/org.example.quillet.metainfo.xml
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo" || fail "the AppStream file names no licence"
grep -q '<screenshot type="default">' "$metainfo" || fail "the AppStream file has no screenshot"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$metainfo" || fail "the AppStream file is not valid"
fi
exit $failed
