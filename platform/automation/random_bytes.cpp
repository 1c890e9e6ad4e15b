#include "platform/automation/random_bytes.h"

#include <sys/random.h>

#include <cerrno>

namespace automation {

bool FillRandomBytes(unsigned char* bytes, size_t count) {
    while (count > 0) {
        const ssize_t got = ::getrandom(bytes, count, 0);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        bytes += got;
        count -= size_t(got);
    }
    return true;
}

}  // namespace automation
