// A malloc-replacing library for the tests of scripts/with_allocator.sh: it forwards every call
// to the C library's allocator and leaves a mark per process that loaded it, a file named
// after the process in the folder MEMBENCH_TEST_MARK_DIR, holding the MPI rank as the launcher
// gave it and the program's name. So a test can see that an allocator given by path reached
// every rank of a job.

#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cerrno>
#include <cstring>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* memory, std::size_t size);
void __libc_free(void* memory);

void* malloc(std::size_t size) { return __libc_malloc(size); }
void* calloc(std::size_t count, std::size_t size) { return __libc_calloc(count, size); }
void* realloc(void* memory, std::size_t size) { return __libc_realloc(memory, size); }
void free(void* memory) { __libc_free(memory); }
}

namespace {

__attribute__((constructor)) void leaveMark() {
    const char* folder = std::getenv("MEMBENCH_TEST_MARK_DIR");
    if (folder == nullptr) return;
    const char* rank = std::getenv("OMPI_COMM_WORLD_RANK");
    if (rank == nullptr) rank = std::getenv("PMI_RANK");
    if (rank == nullptr) rank = "unknown";
    char path[4096];
    std::snprintf(path, sizeof path, "%s/mark.%ld", folder, static_cast<long>(getpid()));
    const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return;
    char text[512];
    const int length = std::snprintf(text, sizeof text, "%s %s\n", rank, program_invocation_short_name);
    if (write(fd, text, static_cast<std::size_t>(length)) < 0) {
        // Nothing to do: the test sees the mark missing.
    }
    close(fd);
}

}  // namespace
