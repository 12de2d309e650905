// Loads one picture file and reports the largest single block any part of
// the decoding asked for, so a test can hold decoders to what the picture
// needs. Run by DecodeMemoryTest under an address-space limit.
// Usage: decode_memory_probe FILE  ->  "largest N status S"

#include "ImageFile.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUENDA_PROBE_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define QUENDA_PROBE_SANITIZED 1
#endif

namespace {
std::atomic<std::size_t> largestRequest{0};

void note(std::size_t size)
{
    std::size_t seen = largestRequest.load(std::memory_order_relaxed);
    while (size > seen && !largestRequest.compare_exchange_weak(seen, size, std::memory_order_relaxed)) {
    }
}
} // namespace

#ifndef QUENDA_PROBE_SANITIZED
// The sanitizers own malloc; without them the request is seen before glibc
// tries it, so a refused block still counts.
extern "C" {
void *__libc_malloc(std::size_t);
void *__libc_calloc(std::size_t, std::size_t);
void *__libc_realloc(void *, std::size_t);

void *malloc(std::size_t size)
{
    note(size);
    return __libc_malloc(size);
}

void *calloc(std::size_t count, std::size_t size)
{
    if (size != 0 && count > SIZE_MAX / size)
        note(SIZE_MAX);
    else
        note(count * size);
    return __libc_calloc(count, size);
}

void *realloc(void *block, std::size_t size)
{
    note(size);
    return __libc_realloc(block, size);
}
}
#endif

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 2;
    }
#ifdef QUENDA_PROBE_SANITIZED
    std::printf("largest -1 status unmeasured\n");
    return 3;
#else
    Picture24 picture;
    largestRequest = 0;
    const ImageStatus status = ImageFile::load(argv[1], picture);
    std::printf("largest %zu status %s\n", largestRequest.load(), status ? "ok" : "failed");
    return 0;
#endif
}
