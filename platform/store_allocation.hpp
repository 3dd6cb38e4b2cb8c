#pragma once
// Stores are allocated once at start-up; a store that cannot be had is reported by its
// owner, never thrown past it.

#include <cstddef>
#include <new>
#include <stdexcept>
#include <vector>

namespace rz::platform {

template <class T>
bool allocateStore(std::vector<T>& store, std::size_t count) {
    // Asked for first without the throwing operator new: under AddressSanitizer that one
    // ends the process on a request it cannot meet instead of throwing.
    void* probe =
        count <= store.max_size() ? ::operator new(count * sizeof(T), std::nothrow) : nullptr;
    if (probe != nullptr) {
        ::operator delete(probe);
        try {
            store.assign(count, T{});
            return true;
        } catch (const std::bad_alloc&) {
        } catch (const std::length_error&) {
        }
    }
    store.clear();
    store.shrink_to_fit();
    return false;
}

}  // namespace rz::platform
