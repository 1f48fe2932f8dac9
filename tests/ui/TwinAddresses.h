#pragma once

#include <QtGlobal>

#include <sys/mman.h>

#include <cstddef>
#include <new>
#include <utility>

// Two objects of type T at addresses that differ only above bit 31, so a key made of an
// address's low 32 bits would take them for one. The memory is mapped at fixed places
// well away from the heap (and from the sanitizers' own ranges); when none of them is
// free, Valid() is false and the caller skips.
template <class T>
class TTwinAddresses
{
public:
    TTwinAddresses()
    {
        static constexpr quintptr Bases[] = {0x500000000000ull, 0x520000000000ull, 0x3a0000000000ull};
        for (const quintptr Base : Bases) {
            void* First = Map(Base);
            if (!First)
                continue;
            void* Second = Map(Base + Distance);
            if (!Second) {
                munmap(First, Size);
                continue;
            }
            FFirst = new (First) T();
            FSecond = new (Second) T();
            return;
        }
    }
    ~TTwinAddresses()
    {
        for (T* Object : {FFirst, FSecond}) {
            if (!Object)
                continue;
            Object->~T();
            munmap(Object, Size);
        }
    }
    TTwinAddresses(const TTwinAddresses&) = delete;
    TTwinAddresses& operator=(const TTwinAddresses&) = delete;

    bool Valid() const { return FFirst && FSecond; }
    T* First() const { return FFirst; }
    T* Second() const { return FSecond; }

private:
    static constexpr quintptr Distance = quintptr(1) << 32;
    static constexpr std::size_t Size = (sizeof(T) + 0xFFFF) & ~std::size_t(0xFFFF);

    static void* Map(quintptr Address)
    {
        void* Wanted = reinterpret_cast<void*>(Address);
        void* Mapped = mmap(Wanted, Size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE, -1, 0);
        if (Mapped == MAP_FAILED)
            return nullptr;
        // A kernel that does not know the flag takes the address as a hint only.
        if (Mapped != Wanted) {
            munmap(Mapped, Size);
            return nullptr;
        }
        return Mapped;
    }

    T* FFirst = nullptr;
    T* FSecond = nullptr;
};
