#!/usr/bin/env bash
# The Debian package as a distribution would check it: built from the build
# folder into a scratch folder (as make package builds it), then
#   1. lintian finds no error and no warning (the informational and
#      pedantic tags are printed for the log);
#   2. it carries no maintainer scripts, having nothing to do at install;
#   3. the newest entries of its changelog and of its AppStream releases
#      name the package's version;
#   4. the desktop entry and the metainfo it ships pass their validators,
#      and the entry starts a program the package installs.
# Usage: package_lint_test.sh BUILD_DIR VERSION CPACK
set -uo pipefail
build="$1"
version="$2"
cpack="$3"
if ! command -v lintian > /dev/null; then
  echo "[  SKIPPED ] lintian is not installed (scripts/install-deps.sh installs it)"
  exit 0
fi
# shellcheck source=../shell_checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/../shell_checks.sh"

if ! "$cpack" --config "$build/CPackConfig.cmake" -B "$work/out" > "$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  echo "FAIL: cpack"
  exit 1
fi
deb="$work/out/ringdisk_${version}_amd64.deb"
[ -f "$deb" ] || { echo "FAIL: no $deb: $(ls "$work/out")"; exit 1; }

echo "== lintian"
# As root lintian says it would rather not be; that line is no finding.
lintian --fail-on error,warning --display-info --display-experimental --pedantic "$deb" \
    2> >(grep -v 'running with root privileges' >&2) || fail "lintian reports errors or warnings"

echo "== maintainer scripts"
dpkg-deb --ctrl-tarfile "$deb" | tar -t > "$work/control.list"
for script in preinst postinst prerm postrm; do
  grep -qx "./$script" "$work/control.list" && fail "the package carries a $script"
done

echo "== versions"
dpkg-deb -x "$deb" "$work/root"
doc="$work/root/usr/share/doc/ringdisk"
newest=$(zcat "$doc/changelog.gz" | dpkg-parsechangelog -l - -S Version)
[ "$newest" = "$version" ] || fail "the changelog's newest entry is $newest, the package $version"
metainfo="$work/root/usr/share/metainfo/io.github.ringdisk.Ringdisk.metainfo.xml"
release=$(grep -o '<release version="[^"]*"' "$metainfo" | head -1 | cut -d'"' -f2)
[ "$release" = "$version" ] || fail "the metainfo's newest release is $release, the package $version"

echo "== the desktop entry and the metainfo shipped"
entry="$work/root/usr/share/applications/ringdisk.desktop"
desktop-file-validate "$entry" || fail "desktop-file-validate"
appstreamcli validate --pedantic --no-net "$metainfo" || fail "appstreamcli validate"
program=$(sed -n 's/^Exec=//p' "$entry")
[ "$program" = /usr/games/ringdisk ] || fail "the desktop entry starts '$program'"
[ -x "$work/root$program" ] || fail "the package has no $program"

finish "package checks passed"
