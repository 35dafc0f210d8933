#include "report/report_channel.h"

#include <cerrno>

namespace {

// The index of the stream storage slot that holds the first write error.
const int kWriteErrorSlot = std::ios_base::xalloc();

}  // namespace

long& firstWriteError(std::ios_base& stream) { return stream.iword(kWriteErrorSlot); }

void noteWriteFailure(std::ios_base& stream) {
    const int error = errno;
    long& recorded = firstWriteError(stream);
    // A failure without an error number (a full stream buffer, say) still counts.
    if (recorded == 0) recorded = error != 0 ? error : EIO;
}
