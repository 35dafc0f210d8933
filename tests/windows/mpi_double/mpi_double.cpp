// The MPI calls of cluster-membench for a job of one process, with nothing to send or receive:
// enough to run the program under Wine, where Microsoft MPI is not available.

#include <mpi.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

[[noreturn]] void unsupported(const char* call) {
    std::fprintf(stderr, "MPI test double: %s needs a second process, and this double has one\n", call);
    std::fflush(stderr);
    std::exit(70);
}

}  // namespace

extern "C" {

int MPI_Init(int*, char***) { return MPI_SUCCESS; }

int MPI_Finalize(void) { return MPI_SUCCESS; }

int MPI_Comm_size(MPI_Comm, int* size) {
    *size = 1;
    return MPI_SUCCESS;
}

int MPI_Comm_rank(MPI_Comm, int* rank) {
    *rank = 0;
    return MPI_SUCCESS;
}

int MPI_Get_processor_name(char* name, int* length) {
    char computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof computer;
    if (!GetComputerNameA(computer, &size)) std::strcpy(computer, "localhost");
    std::snprintf(name, MPI_MAX_PROCESSOR_NAME, "%s", computer);
    *length = static_cast<int>(std::strlen(name));
    return MPI_SUCCESS;
}

double MPI_Wtime(void) {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

int MPI_Abort(MPI_Comm, int code) {
    std::fflush(stdout);
    std::fflush(stderr);
    ExitProcess(static_cast<UINT>(code));
}

int MPI_Send(const void*, int, MPI_Datatype, int, int, MPI_Comm) { unsupported("MPI_Send"); }

int MPI_Recv(void*, int, MPI_Datatype, int, int, MPI_Comm, MPI_Status*) { unsupported("MPI_Recv"); }

int MPI_Get_count(const MPI_Status*, MPI_Datatype, int*) { unsupported("MPI_Get_count"); }

}  // extern "C"
