/* mmap with MAP_FIXED_NOREPLACE, as the kernel has it. QEMU 7.2 takes the address as a mere hint
 * and maps elsewhere. Wine reads that as "taken" and halves the range, so reserving its address
 * space costs some 65,000 calls, each a scan of 4 GiB inside QEMU: minutes for every process.
 * Here a range that overlaps a mapping is answered "taken" at once, from the maps QEMU shows. */
#define _GNU_SOURCE
#include <errno.h>
#include <fcntl.h>
#include <stdint.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "kernel_call.h"

/* The old i386 mmap takes its six arguments in memory, so that one register carries them all. */
struct mmap_arguments {
    unsigned long address, length, protection, flags, fd, offset;
};

static void *system_mmap(void *address, size_t length, int protection, int flags, int fd, off64_t offset)
{
    if ((offset & 4095) || (uint64_t)offset > UINT32_MAX) {
        errno = (offset & 4095) ? EINVAL : EOVERFLOW;
        return MAP_FAILED;
    }
    struct mmap_arguments arguments = {(unsigned long)address, length, (unsigned long)protection,
                                       (unsigned long)flags, (unsigned long)fd, (unsigned long)offset};
    return (void *)kernel_result(kernel_call1(SYS_mmap, (long)&arguments));
}

/* Whether any mapping that QEMU reports to the guest in /proc/self/maps overlaps [start, end).
 * Parsed as it is read, with no allocation. */
static int overlaps_a_mapping(uintptr_t start, uintptr_t end)
{
    int fd = open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    char buffer[4096];
    uintptr_t low = 0, high = 0;
    enum { LOW, HIGH, REST } field = LOW;
    int found = 0;
    ssize_t count;
    while (!found && (count = read(fd, buffer, sizeof buffer)) > 0) {
        for (ssize_t i = 0; i < count && !found; i++) {
            char c = buffer[i];
            int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
            if (field == LOW && digit >= 0) {
                low = low * 16 + (uintptr_t)digit;
            } else if (field == LOW && c == '-') {
                field = HIGH;
            } else if (field == HIGH && digit >= 0) {
                high = high * 16 + (uintptr_t)digit;
            } else if (field == HIGH) {
                found = low < end && start < high;
                field = REST;
            } else if (field == REST && c == '\n') {
                low = high = 0;
                field = LOW;
            }
        }
    }
    close(fd);
    return found;
}

static void *map_at_address_or_fail(void *address, size_t length, int protection, int flags, int fd, off64_t offset)
{
    uintptr_t start = (uintptr_t)address;
    if (overlaps_a_mapping(start, start + length)) {
        errno = EEXIST;
        return MAP_FAILED;
    }
    void *mapped = system_mmap(address, length, protection, flags & ~MAP_FIXED_NOREPLACE, fd, offset);
    if (mapped == MAP_FAILED || mapped == address)
        return mapped;
    /* Another thread took part of the range since the maps were read. */
    kernel_call3(SYS_munmap, (long)mapped, (long)length, 0);
    errno = EEXIST;
    return MAP_FAILED;
}

void *mmap64(void *address, size_t length, int protection, int flags, int fd, off64_t offset)
{
    if ((flags & MAP_FIXED_NOREPLACE) && !(flags & MAP_FIXED) && address)
        return map_at_address_or_fail(address, length, protection, flags, fd, offset);
    return system_mmap(address, length, protection, flags, fd, offset);
}

void *mmap(void *address, size_t length, int protection, int flags, int fd, off_t offset)
{
    return mmap64(address, length, protection, flags, fd, offset);
}
