#!/bin/bash
# cluster-membench as a Slurm batch job, started by Open MPI's mpirun inside the allocation
# (mpirun learns the nodes and the number of processes from Slurm).
#   sbatch scripts/slurm/membench-mpirun.sbatch      (from the folder the results file goes to)
# Each process holds about 650 MiB once its workloads have run.
#SBATCH --job-name=membench
#SBATCH --nodes=2
#SBATCH --ntasks-per-node=2
#SBATCH --mem-per-cpu=1G
#SBATCH --time=00:10:00
#SBATCH --output=membench-%j.out
set -euo pipefail

# The program: MEMBENCH_PROGRAM, else one built in ./build, else an installed one.
if [ -z "${MEMBENCH_PROGRAM:-}" ] && [ ! -x ./build/cluster-membench ]; then
  MEMBENCH_PROGRAM=$(command -v cluster-membench || echo ./build/cluster-membench)
fi
program=${MEMBENCH_PROGRAM:-./build/cluster-membench}

# Standard input from /dev/null, so the final wait for Enter ends at once.
mpirun "$program" </dev/null
