#!/usr/bin/env bash
# Runs a command in a fresh clone of this tree's HEAD inside a minimal Debian root, as a newcomer on
# that release would, and exits with the command's status (2 when the root cannot be made):
#
#     bash scripts/in-debian-root.sh trixie 'bash scripts/test.sh'
#
# Needs root. The root is made once with debootstrap (installed when missing) and kept in
# $ROOTS/SUITE (ROOTS defaults to /var/tmp/kalmeno-roots); each run clones HEAD into it afresh.
# DEBIAN_MIRROR chooses the mirror. A chroot has no mount namespace of its own, so the tests that
# need one skip there.
set -euo pipefail
usage="usage: in-debian-root.sh SUITE COMMAND"
suite=${1:?$usage}
cmd=${2:?$usage}
top=$(cd "$(dirname "$0")/.." && pwd)
root=${ROOTS:-/var/tmp/kalmeno-roots}/$suite
# The mirror this machine's apt uses, unless DEBIAN_MIRROR names one.
mirror=${DEBIAN_MIRROR:-$(sed -n 's/^URIs: *\(http[^ ]*\/debian\)\/\?$/\1/p' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -n 1)}
[ -n "$mirror" ] || mirror=$(sed -n 's/^deb \(http[^ ]*\/debian\) .*/\1/p' /etc/apt/sources.list 2>/dev/null | head -n 1)

[ "$(id -u)" -eq 0 ] || { echo "in-debian-root.sh needs root" >&2; exit 2; }
[ -n "$mirror" ] || { echo "no Debian mirror in the apt sources: set DEBIAN_MIRROR" >&2; exit 2; }
mkdir -p "$(dirname "$root")"
# One run at a time per root: the runs share its mounts and its clone. The command does not hold the lock.
exec 9>"$root.lock"
flock 9

# The root is made beside its place and moved there whole, so a cut-off debootstrap leaves no half root.
if [ ! -d "$root" ]; then
  command -v debootstrap >/dev/null ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
  rm -rf "$root.new"
  echo "== Making a $suite root in $root"
  debootstrap --variant=minbase "$suite" "$root.new" "$mirror" >"$root.debootstrap.log" 2>&1 ||
    { echo "debootstrap $suite failed: see $root.debootstrap.log" >&2; exit 2; }
  printf 'deb %s %s main\ndeb %s %s-updates main\ndeb %s-security %s-security main\n' \
    "$mirror" "$suite" "$mirror" "$suite" "$mirror" "$suite" >"$root.new/etc/apt/sources.list"
  mv "$root.new" "$root"
fi

mounts=(proc sys dev dev/pts dev/shm)
unmount() {
  local i
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
    if mountpoint -q "$root/${mounts[i]}"; then umount -l "$root/${mounts[i]}"; fi
  done
}
trap unmount EXIT
trap 'exit 130' INT TERM
for m in "${mounts[@]}"; do
  mountpoint -q "$root/$m" || mount --bind "/$m" "$root/$m"
done
cp /etc/resolv.conf "$root/etc/resolv.conf"

head=$(git -C "$top" rev-parse HEAD)
rm -rf "$root/opt/kalmeno"
git clone -q "$top" "$root/opt/kalmeno"
echo "== $(. "$root/etc/os-release" && echo "$PRETTY_NAME"), clone of ${head:0:7}: $cmd"
status=0
chroot "$root" env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin TERM=dumb \
  bash -c "cd /opt/kalmeno && $cmd" 9>&- || status=$?
echo "== exit status $status"
exit "$status"
