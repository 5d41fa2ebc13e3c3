#pragma once
// Counts the heap allocations of a test program by replacing the global
// allocator. Include it in exactly one file of the program. Every plain and
// non-throwing `new` goes through here and every `delete` back to free, so
// code that allocates with one form and frees with another (the GL driver's
// compiler does) stays matched under the sanitizers too.

#include <cstdlib>
#include <new>

inline long long allocationCount = 0;

void* operator new(std::size_t size)
{
    ++allocationCount;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    ++allocationCount;
    return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
