/* System calls made straight to the kernel (to QEMU, here), not through libc: the library
 * replaces some of libc's own entry points, and may be called from inside malloc. */
#ifndef QUORVEL_QEMU_FIXES_KERNEL_CALL_H
#define QUORVEL_QEMU_FIXES_KERNEL_CALL_H

#include <errno.h>

static inline long kernel_call1(long number, long first)
{
    long result;
    __asm__ volatile("int $0x80" : "=a"(result) : "0"(number), "b"(first) : "memory");
    return result;
}

static inline long kernel_call3(long number, long first, long second, long third)
{
    long result;
    __asm__ volatile("int $0x80" : "=a"(result) : "0"(number), "b"(first), "c"(second), "d"(third) : "memory");
    return result;
}

/* The kernel's answers from -4095 to -1 are errors: errno, and -1 as libc answers. */
static inline long kernel_result(long result)
{
    if (result < 0 && result > -4096) {
        errno = (int)-result;
        return -1;
    }
    return result;
}

#endif
