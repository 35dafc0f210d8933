// An MPI job that only starts and finalizes: the floor for the cost around the workloads.
#include <mpi.h>

int main(int argc, char** argv) {
    MPI_Init(&argc, &argv);
    MPI_Finalize();
    return 0;
}
