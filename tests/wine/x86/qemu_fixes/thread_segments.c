/* Each thread's own thread-local storage, as the kernel keeps it. QEMU 7.2 keeps one descriptor
 * table for all the threads of a process, so a TLS descriptor that a thread sets with
 * set_thread_area is set for every thread. glibc points %gs at one such descriptor, and Wine %fs
 * (its TEB) at another; each reload of the register (every return from a signal handler, and
 * Wine's handlers themselves) then gives a thread the TLS and TEB of the thread that set them
 * last: stack-protector reports, faults, hangs at exit.
 * The LDT is the process's in the kernel too, but each thread can have entries of its own:
 *  - every thread's %gs gets an LDT entry of its own, from before libc or Wine records it;
 *  - Wine is told that no TLS descriptor is free, and so gives each thread's %fs an LDT entry,
 *    as it does on kernels without set_thread_area. */
#define _GNU_SOURCE
#include <asm/ldt.h>
#include <dlfcn.h>
#include <errno.h>
#include <pthread.h>
#include <signal.h>
#include <stdarg.h>
#include <stdint.h>
#include <stdlib.h>
#include <sys/syscall.h>

#include "kernel_call.h"

/* Wine keeps the entries below 512 for libc once libc's %gs is in the LDT; 0 to 31 stay unused. */
enum { FIRST_ENTRY = 32, ENTRY_COUNT = 512 - FIRST_ENTRY };

static unsigned char entry_taken[ENTRY_COUNT];
static pthread_key_t entry_key;
/* The GDT selector libc's %gs had at start: pthread_create gives new threads that entry. */
static unsigned short tls_selector;
static pthread_mutex_t creating = PTHREAD_MUTEX_INITIALIZER;

static unsigned short get_gs(void)
{
    unsigned short selector;
    __asm__ volatile("movw %%gs, %0" : "=r"(selector));
    return selector;
}

static void set_gs(unsigned short selector)
{
    __asm__ volatile("movw %0, %%gs" : : "r"(selector) : "memory");
}

/* glibc's thread control block begins with its own address, the base of %gs. */
static uintptr_t tls_base(void)
{
    uintptr_t base;
    __asm__ volatile("movl %%gs:0, %0" : "=r"(base));
    return base;
}

static int in_ldt(unsigned short selector)
{
    return (selector & 4) != 0;
}

static struct user_desc data_descriptor(unsigned int entry, uintptr_t base)
{
    struct user_desc descriptor = {0};
    descriptor.entry_number = entry;
    descriptor.base_addr = base;
    descriptor.limit = 0xfffff;
    descriptor.seg_32bit = 1;
    descriptor.limit_in_pages = 1;
    descriptor.useable = 1;
    return descriptor;
}

static void release_entry(void *slot)
{
    __atomic_store_n(&entry_taken[(uintptr_t)slot - 1], 0, __ATOMIC_RELEASE);
}

/* Moves the calling thread's %gs to an LDT entry of its own, with the same base. */
static void take_own_entry(void)
{
    for (unsigned int slot = 0; slot < ENTRY_COUNT; slot++) {
        if (__atomic_exchange_n(&entry_taken[slot], 1, __ATOMIC_ACQUIRE))
            continue;
        struct user_desc descriptor = data_descriptor(FIRST_ENTRY + slot, tls_base());
        if (kernel_call3(SYS_modify_ldt, 0x11, (long)&descriptor, sizeof descriptor) != 0) {
            release_entry((void *)(uintptr_t)(slot + 1));
            return;
        }
        set_gs((unsigned short)(((FIRST_ENTRY + slot) << 3) | 7));
        pthread_setspecific(entry_key, (void *)(uintptr_t)(slot + 1));
        return;
    }
}

__attribute__((constructor)) static void move_main_thread(void)
{
    tls_selector = get_gs();
    if (in_ldt(tls_selector) || pthread_key_create(&entry_key, release_entry) != 0)
        return;
    take_own_entry();
}

struct thread_start {
    void *(*routine)(void *);
    void *argument;
    sigset_t mask;
};

static void *start_with_own_entry(void *start_pointer)
{
    struct thread_start start = *(struct thread_start *)start_pointer;
    free(start_pointer);
    take_own_entry();
    pthread_sigmask(SIG_SETMASK, &start.mask, NULL);
    return start.routine(start.argument);
}

typedef int pthread_create_function(pthread_t *, const pthread_attr_t *, void *(*)(void *), void *);

/* glibc gives a new thread the TLS descriptor that the creator's %gs names, so the creator goes
 * back to it for the call, with signals held: a handler's return would reload it. */
int pthread_create(pthread_t *thread, const pthread_attr_t *attributes, void *(*routine)(void *), void *argument)
{
    static pthread_create_function *system_pthread_create;
    if (!system_pthread_create)
        system_pthread_create = (pthread_create_function *)dlsym(RTLD_NEXT, "pthread_create");
    unsigned short own = get_gs();
    struct thread_start *start = malloc(sizeof *start);
    if (!in_ldt(own) || in_ldt(tls_selector) || !start) {
        free(start);
        return system_pthread_create(thread, attributes, routine, argument);
    }
    start->routine = routine;
    start->argument = argument;
    sigset_t all, mask;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &mask);
    start->mask = mask;

    pthread_mutex_lock(&creating);
    struct user_desc descriptor = data_descriptor(tls_selector >> 3, tls_base());
    kernel_call1(SYS_set_thread_area, (long)&descriptor);
    set_gs(tls_selector);
    int result = system_pthread_create(thread, attributes, start_with_own_entry, start);
    set_gs(own);
    pthread_mutex_unlock(&creating);

    if (result != 0)
        free(start);
    pthread_sigmask(SIG_SETMASK, &mask, NULL);
    return result;
}

typedef long syscall_function(long, long, long, long, long, long, long);

long syscall(long number, ...)
{
    static syscall_function *system_syscall;
    va_list list;
    va_start(list, number);
    long arguments[6];
    for (int i = 0; i < 6; i++)
        arguments[i] = va_arg(list, long);
    va_end(list);
    if (number == SYS_set_thread_area && !in_ldt(tls_selector) &&
        ((struct user_desc *)arguments[0])->entry_number == (unsigned int)-1) {
        errno = ESRCH;
        return -1;
    }
    if (!system_syscall)
        system_syscall = (syscall_function *)dlsym(RTLD_NEXT, "syscall");
    return system_syscall(number, arguments[0], arguments[1], arguments[2], arguments[3], arguments[4], arguments[5]);
}
