#!/bin/bash
# cluster-membench as a Slurm batch job, started by srun.
#   sbatch scripts/slurm/membench-srun.sbatch        (from the folder the results file goes to)
# Adjust nodes, tasks and memory to your cluster. Each process holds about 650 MiB once its
# workloads have run (2^24 kept 8-byte blocks take 512 MiB with glibc, plus a 128 MiB array).
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

# --mpi=pmix: Open MPI's ranks learn their places from Slurm's PMIx (plain srun starts ranks that
# fail). --input=0: standard input goes to rank 0 only; from /dev/null, so the final wait for
# Enter ends at once. The report goes to this job's output file, and the results file to the
# job's working folder.
srun --mpi=pmix --input=0 "$program" </dev/null
