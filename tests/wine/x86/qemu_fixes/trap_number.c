/* The trap number in a signal's context, as the kernel writes it. QEMU 7.2 leaves -1 there, and
 * Wine's fault handlers, which dispatch on it, end the process instead of raising the Windows
 * exception. Each fault handler Wine installs is called through one that fills it in. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <signal.h>
#include <ucontext.h>

/* Trap numbers of the i386 exceptions. */
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

typedef void fault_handler(int, siginfo_t *, void *);
typedef int sigaction_function(int, const struct sigaction *, struct sigaction *);

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

/* Runs on the signal's stack, possibly with Windows code's segment registers: it touches no
 * thread-local storage, and the library is built without the stack protector's canary. */
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
        /* In place before the first signal can arrive. */
        wine_handlers[signal] = action->sa_sigaction;
        result = system_sigaction(signal, &wrapped, previous);
        if (result != 0)
            wine_handlers[signal] = replaced;
    } else {
        result = system_sigaction(signal, action, previous);
        if (action && result == 0)
            wine_handlers[signal] = 0;
    }
    if (result == 0 && previous && replaced && previous->sa_sigaction == fill_in_trap_number)
        previous->sa_sigaction = replaced;
    return result;
}
