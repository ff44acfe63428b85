#include "support/PermissionsEnforced.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// Capabilities belong to each thread, so the change stays on the test's own.
bool SetEffective(unsigned bits, bool on) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    if (syscall(SYS_capget, &header, data) != 0) return false;
    data[0].effective = on ? data[0].effective | bits : data[0].effective & ~bits;
    return syscall(SYS_capset, &header, data) == 0;
}

unsigned EffectiveBits() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    return syscall(SYS_capget, &header, data) == 0 ? data[0].effective : 0;
}

}  // namespace

PermissionsEnforced::PermissionsEnforced() {
    const unsigned bits = EffectiveBits() & ((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    if (bits && SetEffective(bits, false)) dropped_ = bits;
}

PermissionsEnforced::~PermissionsEnforced() {
    if (dropped_) SetEffective(dropped_, true);
}
