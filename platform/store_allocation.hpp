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
    try {
        store.assign(count, T{});
        return true;
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    store.clear();
    store.shrink_to_fit();
    return false;
}

}  // namespace rz::platform
