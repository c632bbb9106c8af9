#pragma once

#include "platform/RuntimeError.h"

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace quillax {

// The control-array rules every array of elements keeps, for one of `count` elements: a missing
// element, creating one anywhere but at the end (or beyond `most`), destroying element 0 or any but
// the last.
inline void CheckElementExists(int64_t index, int64_t count) {
    if (index < 0 || index >= count) {
        RaiseError(ErrNo::ControlArrayElementMissing, std::to_string(index));
    }
}

inline void CheckElementLoad(int64_t index, int64_t count, int64_t most) {
    if (index >= 0 && index < count) {
        RaiseError(ErrNo::ObjectAlreadyLoaded);
    }
    if (index != count) {
        RaiseError(ErrNo::ControlArrayElementMissing, "elements are created at the end");
    }
    if (index == most) {
        RaiseError(ErrNo::Overflow);
    }
}

inline void CheckElementUnload(int64_t index, int64_t count) {
    CheckElementExists(index, count);
    if (index == 0) {
        RaiseError(ErrNo::CantUnloadDesignControl);
    }
    if (index != count - 1) {
        RaiseError(ErrNo::InvalidCall, "elements are destroyed from the end");
    }
}

// A control array of plain values. Element 0 belongs to the design and always exists; further
// elements are created at index Count() and destroyed from the end. A new element copies
// element 0's properties and starts hidden. T needs a `bool Visible` member. Index is the type of
// the array's indices: 16 bits as designed, wider where objects outgrow it.
template <typename T, typename Index = int16_t> class ElementArray {
public:
    explicit ElementArray(T element0) { Elements.push_back(std::move(element0)); }

    Index Count() const { return static_cast<Index>(Elements.size()); }
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
        CheckElementLoad(index, Count(), std::numeric_limits<Index>::max());
        T element = Elements.front();
        element.Visible = false;
        Elements.push_back(std::move(element));
    }

    void Unload(int64_t index) {
        CheckElementUnload(index, Count());
        Elements.pop_back();
    }

    void Reserve(size_t count) { Elements.reserve(count); }
    typename std::vector<T>::const_iterator begin() const { return Elements.begin(); }
    typename std::vector<T>::const_iterator end() const { return Elements.end(); }

    // The error that using a missing element raises.
    void CheckExists(int64_t index) const { CheckElementExists(index, Count()); }

private:
    std::vector<T> Elements;
};

// The next element to fill: element 0 of an empty array, otherwise a new element at index Count().
template <typename T, typename Index> T& NextElement(ElementArray<T, Index>& elements) {
    if (elements.IsEmpty()) {
        return elements(0);
    }
    const Index index = elements.Count();
    elements.Load(index);
    return elements(index);
}

// Destroys the last element, or hides element 0 when it is the only one.
template <typename T, typename Index> void DropLastElement(ElementArray<T, Index>& elements) {
    if (elements.Count() > 1) {
        elements.Unload(elements.Count() - 1);
    } else {
        elements(0).Visible = false;
    }
}

} // namespace quillax
