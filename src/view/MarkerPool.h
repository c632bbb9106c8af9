#pragma once

#include "RuntimeError.h"

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

// The pool of one kind of marker inside the drawing area: element 0 belongs to the design and always
// exists; further elements are created at index Count() and destroyed from the end, each a hidden copy
// of element 0. Indices are 32-bit so that objects with more than 32,767 points can still be shown.
// T needs a `bool Visible` member.
template <typename T> class MarkerPool {
public:
    explicit MarkerPool(T element0) { Elements.push_back(std::move(element0)); }

    int32_t Count() const { return static_cast<int32_t>(Elements.size()); }
    bool Exists(int64_t index) const { return index >= 0 && index < static_cast<int64_t>(Elements.size()); }
    // Empty: only element 0, and it is hidden.
    bool IsEmpty() const { return Elements.size() == 1 && !Elements[0].Visible; }

    T& Item(int64_t index) {
        CheckExists(index);
        return Elements[static_cast<size_t>(index)];
    }
    const T& Item(int64_t index) const {
        CheckExists(index);
        return Elements[static_cast<size_t>(index)];
    }
    T& operator()(int64_t index) { return Item(index); }
    const T& operator()(int64_t index) const { return Item(index); }

    void Load(int64_t index) {
        if (Exists(index)) {
            RaiseError(ErrNo::ObjectAlreadyLoaded);
        }
        if (index != Count()) {
            RaiseError(ErrNo::ControlArrayElementMissing, "elements are created at the end");
        }
        if (index == std::numeric_limits<int32_t>::max()) {
            RaiseError(ErrNo::Overflow);
        }
        T element = Elements.front();
        element.Visible = false;
        Elements.push_back(std::move(element));
    }

    void Unload(int64_t index) {
        CheckExists(index);
        if (index == 0) {
            RaiseError(ErrNo::CantUnloadDesignControl);
        }
        if (index != Count() - 1) {
            RaiseError(ErrNo::InvalidCall, "elements are destroyed from the end");
        }
        Elements.pop_back();
    }

    typename std::vector<T>::const_iterator begin() const { return Elements.begin(); }
    typename std::vector<T>::const_iterator end() const { return Elements.end(); }

private:
    void CheckExists(int64_t index) const {
        if (!Exists(index)) {
            RaiseError(ErrNo::ControlArrayElementMissing, std::to_string(index));
        }
    }

    std::vector<T> Elements;
};

// The next marker to fill: element 0 of an empty pool, otherwise a new element at index Count().
template <typename T> T& NextMarker(MarkerPool<T>& pool) {
    if (pool.IsEmpty()) {
        return pool(0);
    }
    const int32_t index = pool.Count();
    pool.Load(index);
    return pool(index);
}

// Destroys the last marker, or hides element 0 when it is the only one.
template <typename T> void DropLastMarker(MarkerPool<T>& pool) {
    if (pool.Count() > 1) {
        pool.Unload(pool.Count() - 1);
    } else {
        pool(0).Visible = false;
    }
}
