// How much memory one kept 8-byte block really costs: allocates blocks the way AllocateAndKeep
// does and prints the spacing between consecutive blocks and the heap growth per block.
#include <malloc.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <new>
#include <vector>

int main() {
    constexpr std::size_t kBlocks = 1 << 20;
    std::vector<std::uintptr_t> addresses(kBlocks);
    const struct mallinfo2 before = mallinfo2();
    for (auto& address : addresses) {
        auto* block = static_cast<volatile std::uint64_t*>(::operator new(8));
        *block = 1;
        address = reinterpret_cast<std::uintptr_t>(block);
    }
    const struct mallinfo2 after = mallinfo2();
    std::vector<std::uintptr_t> steps;
    for (std::size_t index = 1; index < kBlocks; ++index) steps.push_back(addresses[index] - addresses[index - 1]);
    std::nth_element(steps.begin(), steps.begin() + steps.size() / 2, steps.end());
    std::printf("requested bytes per block: 8\n");
    std::printf("usable bytes per block: %zu\n", malloc_usable_size(reinterpret_cast<void*>(addresses[0])));
    std::printf("median spacing between consecutive blocks: %zu bytes\n", static_cast<std::size_t>(steps[steps.size() / 2]));
    std::printf("heap growth per block: %.2f bytes\n",
                static_cast<double>(after.uordblks - before.uordblks) / kBlocks);
    std::printf("so 2^24 kept blocks need %.0f MiB\n",
                static_cast<double>(steps[steps.size() / 2]) * 16777216.0 / 1048576.0);
    return 0;
}
