#!/bin/sh
# A single-node Slurm for tests, from Debian's packages (slurm-wlm, munge), with everything of
# its own: munge key and socket (in a folder of their own), configuration, state, logs, ports. It does not
# touch a Slurm or munge that may already run on the machine.
#
#   single_node_slurm.sh up DIR     start munged, slurmctld and slurmd; wait until the node is
#                                   idle; write DIR/env (source it: SLURM_CONF for srun)
#   single_node_slurm.sh down DIR   stop them again (safe to repeat)
set -eu

command=$1
dir=$2

down() {
    for daemon in slurmd slurmctld munged; do
        if [ -f "$dir/$daemon.pid" ]; then
            pid=$(cat "$dir/$daemon.pid")
            kill "$pid" 2>/dev/null || true
            for _ in 1 2 3 4 5 6 7 8 9 10; do kill -0 "$pid" 2>/dev/null || break; sleep 0.3; done
            kill -9 "$pid" 2>/dev/null || true
            rm -f "$dir/$daemon.pid"
        fi
    done
    if [ -f "$dir/munge.dir" ]; then
        rm -rf "$(cat "$dir/munge.dir")"
        rm -f "$dir/munge.dir"
    fi
}

if [ "$command" = down ]; then
    down
    exit 0
fi
[ "$command" = up ] || { echo "usage: $0 up|down DIR" >&2; exit 2; }

for tool in munged mungekey slurmctld slurmd srun sinfo scontrol; do
    command -v "$tool" >/dev/null || { echo "missing $tool (Debian: slurm-wlm, munge)" >&2; exit 3; }
done
[ "$(id -u)" -eq 0 ] || { echo "starting slurmd needs root" >&2; exit 3; }

mkdir -p "$dir/state" "$dir/spool"
trap 'down' EXIT  # stop what was started if the rest fails; cleared on success

# munged runs as the munge user, with a key of its own, in a folder that user can reach
# (DIR itself may lie in a folder only root may enter).
munge=$(mktemp -d /tmp/membench-munge-XXXXXX)
echo "$munge" >"$dir/munge.dir"
chown munge "$munge"
chmod 755 "$munge"
mungekey --create --keyfile="$munge/munge.key"
chown munge "$munge/munge.key"
chmod 600 "$munge/munge.key"
runuser -u munge -- munged --key-file="$munge/munge.key" --socket="$munge/munge.socket" \
    --pid-file="$munge/munged.pid" --log-file="$munge/munged.log" --seed-file="$munge/munged.seed"
cp "$munge/munged.pid" "$dir/munged.pid"

# Ports of this run's own, away from Slurm's defaults.
base=$((20000 + ($$ % 5000) * 2))
node=$(hostname -s)
# Addresses are given, so that nothing depends on resolving this host's name.
cat >"$dir/slurm.conf" <<CONF
ClusterName=membench
SlurmctldHost=$node(127.0.0.1)
SlurmUser=root
SlurmdUser=root
SlurmctldPort=$base
SlurmdPort=$((base + 1))
AuthType=auth/munge
AuthInfo=socket=$munge/munge.socket
CredType=cred/munge
StateSaveLocation=$dir/state
SlurmdSpoolDir=$dir/spool
SlurmctldPidFile=$dir/slurmctld.pid
SlurmdPidFile=$dir/slurmd.pid
SlurmctldLogFile=$dir/slurmctld.log
SlurmdLogFile=$dir/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
SchedulerType=sched/builtin
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
MpiDefault=none
ReturnToService=2
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
# More CPUs than the machine has, so that small jobs fit on a 2-core machine; slurmd takes
# the configured count instead of refusing the node.
SlurmdParameters=config_overrides
NodeName=$node NodeAddr=127.0.0.1 CPUs=8 State=UNKNOWN
PartitionName=test Nodes=ALL Default=YES MaxTime=INFINITE State=UP
CONF
echo "SLURM_CONF=$dir/slurm.conf; export SLURM_CONF" >"$dir/env"
export SLURM_CONF="$dir/slurm.conf"

slurmctld -i
slurmd

# Wait until the node takes jobs.
for _ in $(seq 60); do
    state=$(sinfo -h -n "$node" -o %T 2>/dev/null || true)
    case "$state" in
        idle*) trap - EXIT; exit 0 ;;
        down*|drain*) scontrol update nodename="$node" state=resume 2>/dev/null || true ;;
    esac
    sleep 0.5
done
echo "the Slurm node did not become idle (state: ${state:-none}); logs in $dir" >&2
tail -n 20 "$dir/slurmctld.log" "$dir/slurmd.log" >&2 || true
exit 1
