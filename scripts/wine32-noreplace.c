/* Preloaded into 32-bit programs run through qemu-i386 user emulation (wine32-emulated.sh).
 * qemu 7.2 treats mmap's MAP_FIXED_NOREPLACE as a mere address hint and maps elsewhere when the
 * range is taken; 32-bit Wine reserves its address space with that flag and then fails ("failed
 * to map the shared user data"). Here the flag means again what the kernel makes it mean: the
 * mapping lands exactly at the address asked for, or the call fails with EEXIST.
 * Built without any header: no 32-bit C library headers are installed for it. */

typedef unsigned int size_type;
typedef long long offset64;

void *dlsym(void *handle, const char *name);
int *__errno_location(void);
int munmap(void *address, size_type length);

#define NEXT_OBJECT ((void *)-1l)
#define FIXED_NOREPLACE 0x100000
#define ERROR_EXISTS 17
#define FAILED ((void *)-1)

typedef void *(*mmap64_function)(void *, size_type, int, int, int, offset64);

void *mmap64(void *address, size_type length, int protection, int flags, int fd, offset64 offset)
{
    static mmap64_function next;
    if (!next)
        next = (mmap64_function)dlsym(NEXT_OBJECT, "mmap64");
    if (!(flags & FIXED_NOREPLACE))
        return next(address, length, protection, flags, fd, offset);
    /* As a hint, qemu keeps the address whenever the whole range is free. */
    void *mapped = next(address, length, protection, flags & ~FIXED_NOREPLACE, fd, offset);
    if (mapped == FAILED || mapped == address)
        return mapped;
    munmap(mapped, length);
    *__errno_location() = ERROR_EXISTS;
    return FAILED;
}

void *mmap(void *address, size_type length, int protection, int flags, int fd, long offset)
{
    return mmap64(address, length, protection, flags, fd, offset);
}
