/* Preloaded into the Wine processes of the 32-bit root while QEMU's user-mode emulator runs them.
 * It mends two ways in which QEMU 7.2 differs from the kernel that Wine is written for:
 *
 *  - mmap with MAP_FIXED_NOREPLACE: QEMU takes the address as a mere hint and maps elsewhere.
 *    Wine reads that as "taken" and halves the range, so reserving its address space costs
 *    some 65,000 calls, each a scan of 4 GiB inside QEMU: minutes for every process.
 *  - the trap number in a signal's context: QEMU leaves -1 there. Wine's fault handlers dispatch
 *    on it, so a fault that Wine turns into a Windows exception ends the process instead.
 *
 * The x86-64 build is empty: native processes of the same root preload it without effect. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdint.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <ucontext.h>
#include <unistd.h>

#if defined(__i386__)

/* Trap numbers of the i386 exceptions, as the kernel writes them into a signal's context. */
enum {
    TRAP_DIVIDE = 0,
    TRAP_SINGLE_STEP = 1,
    TRAP_BREAKPOINT = 3,
    TRAP_OVERFLOW = 4,
    TRAP_INVALID_OPCODE = 6,
    TRAP_GENERAL_PROTECTION = 13,
    TRAP_PAGE_FAULT = 14,
    TRAP_FLOATING_POINT = 16,
    TRAP_ALIGNMENT = 17,
};

static void *system_mmap(void *address, size_t length, int protection, int flags, int fd, off64_t offset)
{
    if (offset & 4095) {
        errno = EINVAL;
        return MAP_FAILED;
    }
    return (void *)syscall(SYS_mmap2, address, length, protection, flags, fd, (unsigned long)(offset >> 12));
}

/* Whether any mapping that QEMU reports to the guest in /proc/self/maps overlaps [start, end).
 * Parsed as it is read, with no allocation: mmap may be called from inside malloc. */
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

/* The kernel's MAP_FIXED_NOREPLACE: the mapping lands at the address asked for, or not at all. */
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
    syscall(SYS_munmap, mapped, length);
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

typedef void fault_handler(int, siginfo_t *, void *);
typedef int sigaction_function(int, const struct sigaction *, struct sigaction *);

/* The handler Wine installed for each fault signal, called once the trap number is filled in. */
static fault_handler *wine_handlers[NSIG];

static int is_fault(int signal)
{
    return signal == SIGSEGV || signal == SIGBUS || signal == SIGILL || signal == SIGFPE || signal == SIGTRAP;
}

static int trap_number(int signal, const siginfo_t *info)
{
    switch (signal) {
    case SIGSEGV:
        return info->si_code == SI_KERNEL ? TRAP_GENERAL_PROTECTION : TRAP_PAGE_FAULT;
    case SIGBUS:
        return info->si_code == BUS_ADRALN ? TRAP_ALIGNMENT : TRAP_PAGE_FAULT;
    case SIGILL:
        return TRAP_INVALID_OPCODE;
    case SIGFPE:
        return info->si_code == FPE_INTDIV ? TRAP_DIVIDE : info->si_code == FPE_INTOVF ? TRAP_OVERFLOW : TRAP_FLOATING_POINT;
    default:
        return info->si_code == TRAP_TRACE ? TRAP_SINGLE_STEP : TRAP_BREAKPOINT;
    }
}

/* Runs on the signal's stack, possibly with Windows code's segment registers: it uses neither
 * thread-local storage nor the stack protector's canary (built without it). */
static void fill_in_trap_number(int signal, siginfo_t *info, void *context)
{
    greg_t *registers = ((ucontext_t *)context)->uc_mcontext.gregs;
    if (registers[REG_TRAPNO] == -1)
        registers[REG_TRAPNO] = trap_number(signal, info);
    wine_handlers[signal](signal, info, context);
}

int sigaction(int signal, const struct sigaction *action, struct sigaction *previous)
{
    static sigaction_function *system_sigaction;
    if (!system_sigaction)
        system_sigaction = (sigaction_function *)dlsym(RTLD_NEXT, "sigaction");
    if (signal <= 0 || signal >= NSIG || !is_fault(signal))
        return system_sigaction(signal, action, previous);

    fault_handler *replaced = wine_handlers[signal];
    int result;
    if (action && (action->sa_flags & SA_SIGINFO)) {
        struct sigaction wrapped = *action;
        wrapped.sa_sigaction = fill_in_trap_number;
        wine_handlers[signal] = action->sa_sigaction;
        result = system_sigaction(signal, &wrapped, previous);
    } else {
        result = system_sigaction(signal, action, previous);
        if (action && result == 0)
            wine_handlers[signal] = 0;
    }
    if (result == 0 && previous && replaced && previous->sa_sigaction == fill_in_trap_number)
        previous->sa_sigaction = replaced;
    return result;
}

#endif
