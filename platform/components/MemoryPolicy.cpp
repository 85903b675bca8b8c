#include "platform/components/MemoryPolicy.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace pv
{

void setProcessMemoryPolicy()
{
#if defined(__GLIBC__)
    // What a closed window or record set frees (blocks up to 32 MB) stays for the next opening instead of
    // being unmapped and faulted in again; both limits, as fixing one stops glibc sliding the other.
    mallopt(M_TRIM_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
#endif
}

} // namespace pv
