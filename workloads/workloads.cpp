#include "workloads/workloads.h"

#include <cstdint>
#include <new>

// The loops call the replaceable global allocation functions directly rather than through
// new-expressions: a compiler may merge or drop a paired new-expression and delete-expression
// (GCC does so for `delete new T` at -O2), but not calls to ::operator new / ::operator delete.
// The blocks and the sink are written and read through volatile lvalues, and the array's
// elements through storeElement, so no access can be merged, hoisted or dropped as unused.
// Nothing else stands inside the loops.

namespace {

// Writes one array element so that the write is performed in its own iteration: never merged
// with another, vectorised or dropped. With GCC and Clang a plain store followed by an empty
// assembly statement that receives the array's address and clobbers memory: the compiler must
// assume the statement reads the element, and it emits no instruction. (A volatile element
// store would do the same, but makes GCC keep a second, pointer induction variable: one more
// instruction per operation.) Elsewhere, a volatile store.
inline void storeElement(std::uint64_t* elements, std::uint64_t index, std::uint64_t value) {
#if defined(__GNUC__) || defined(__clang__)
    elements[index] = value;
    asm volatile("" : : "r"(elements) : "memory");
#else
    static_cast<volatile std::uint64_t*>(elements)[index] = value;
#endif
}

void allocateAndFree() {
    for (std::uint64_t counter = 0; counter < kOperationsPerRun; ++counter) {
        void* block = ::operator new(kSmallBlockBytes);
        *static_cast<volatile std::uint64_t*>(block) = counter;
        ::operator delete(block);
    }
}

void allocateAndKeep() {
    [[maybe_unused]] volatile std::uint64_t sink = 0;
    for (std::uint64_t counter = 0; counter < kOperationsPerRun; ++counter) {
        auto* block = static_cast<volatile std::uint64_t*>(::operator new(kSmallBlockBytes));
        *block = counter;
        sink = *block;
    }
}

void fillArray() {
    // The array is allocated inside the timed bracket and left uninitialised, so the first
    // touch of every page happens in the loop.
    auto* elements = static_cast<std::uint64_t*>(::operator new[](kFillArrayBytes));
    [[maybe_unused]] volatile std::uint64_t sink = 0;
    for (std::uint64_t counter = 0; counter < kOperationsPerRun; ++counter) {
        storeElement(elements, counter, counter);
        sink = counter;
    }
}

}  // namespace

PhaseFigures runWorkload(WorkloadKind kind, WallClock readClock) {
    const double startTime = readClock();
    switch (kind) {
        case WorkloadKind::AllocateAndFree: allocateAndFree(); break;
        case WorkloadKind::AllocateAndKeep: allocateAndKeep(); break;
        case WorkloadKind::FillArray: fillArray(); break;
    }
    const double endTime = readClock();
    return figuresFromReadings(startTime, endTime);
}
