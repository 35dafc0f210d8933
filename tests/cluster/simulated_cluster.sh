#!/bin/sh
# A simulated cluster on this one machine, for end-to-end tests of jobs that span hosts.
#
#   simulated_cluster.sh up DIR NAME:SLOTS...   make the hosts; write DIR/rsh, DIR/hostfile,
#                                               DIR/hosts, DIR/hostmap and DIR/launch
#   simulated_cluster.sh down DIR               remove everything "up" made (safe to repeat)
#
# Each host is a network namespace of its own with one veth interface (eth0) on a bridge that
# lives in a further namespace; the launcher runs in one more namespace on the same bridge. The
# addresses (10.231.0.0/24) exist only inside these namespaces: nothing is routed to or from the
# machine's own network. Every process started "on" a host also gets a UTS namespace with the
# host's name and a mount namespace in which DIR/hosts stands at /etc/hosts, so host names
# resolve without DNS and without touching the machine's files.
set -eu

command=$1
dir=$2
shift 2
prefix="mb$$"

down() {
    [ -f "$dir/namespaces" ] || return 0
    while read -r ns; do
        for pid in $(ip netns pids "$ns" 2>/dev/null); do kill -9 "$pid" 2>/dev/null || true; done
        ip netns del "$ns" 2>/dev/null || true
    done <"$dir/namespaces"
    rm -f "$dir/namespaces"
}

if [ "$command" = down ]; then
    down
    exit 0
fi
[ "$command" = up ] || { echo "usage: $0 up DIR NAME:SLOTS... | down DIR" >&2; exit 2; }

mkdir -p "$dir"
: >"$dir/namespaces"
trap 'down' EXIT  # undo a half-made cluster; cleared on success

switch="$prefix-sw"
ip netns add "$switch"
echo "$switch" >>"$dir/namespaces"
ip -n "$switch" link set lo up
ip -n "$switch" link add br0 type bridge
ip -n "$switch" link set br0 up

# plug NAMESPACE INDEX ADDRESS: a veth from the namespace (eth0) to the bridge.
plug() {
    ip netns add "$1"
    echo "$1" >>"$dir/namespaces"
    ip -n "$1" link set lo up
    ip link add "${prefix}e$2" netns "$1" type veth peer name "${prefix}p$2" netns "$switch"
    ip -n "$1" link set "${prefix}e$2" name eth0
    ip -n "$1" addr add "$3/24" dev eth0
    ip -n "$1" link set eth0 up
    ip -n "$switch" link set "${prefix}p$2" master br0
    ip -n "$switch" link set "${prefix}p$2" up
}

printf '127.0.0.1 localhost\n10.231.0.100 launcher\n' >"$dir/hosts"
: >"$dir/hostfile"
: >"$dir/hostmap"
index=1
for host in "$@"; do
    name=${host%:*}
    slots=${host##*:}
    plug "$prefix-h$index" "$index" "10.231.0.$index"
    printf '10.231.0.%s %s\n' "$index" "$name" >>"$dir/hosts"
    printf '%s slots=%s\n' "$name" "$slots" >>"$dir/hostfile"
    printf '%s %s\n' "$name" "$prefix-h$index" >>"$dir/hostmap"
    index=$((index + 1))
done
plug "$prefix-launch" 0 10.231.0.100
printf 'launcher %s\n' "$prefix-launch" >>"$dir/hostmap"

# DIR/enter HOST COMMAND...: runs the command on the simulated host.
cat >"$dir/enter" <<SCRIPT
#!/bin/sh
host=\$1
shift
ns=\$(awk -v host="\$host" '\$1 == host { print \$2 }' "$dir/hostmap")
[ -n "\$ns" ] || { echo "enter: no simulated host \$host" >&2; exit 255; }
exec ip netns exec "\$ns" unshare --uts --mount /bin/sh -c \
    'mount --bind "\$0" /etc/hosts && printf %s "\$1" >/proc/sys/kernel/hostname && shift && exec "\$@"' \
    "$dir/hosts" "\$host" "\$@"
SCRIPT

# DIR/rsh [OPTIONS] HOST COMMAND...: the launchers' remote shell. Like ssh, it joins the
# command's words and hands them to a shell on the host.
cat >"$dir/rsh" <<SCRIPT
#!/bin/sh
while [ "\${1#-}" != "\$1" ]; do shift; done
host=\$1
shift
exec "$dir/enter" "\$host" /bin/sh -c "\$*"
SCRIPT

# DIR/launch COMMAND...: runs the launcher in its own namespace on the cluster's network.
cat >"$dir/launch" <<SCRIPT
#!/bin/sh
exec "$dir/enter" launcher "\$@"
SCRIPT
chmod +x "$dir/enter" "$dir/rsh" "$dir/launch"
trap - EXIT
