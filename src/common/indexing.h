#pragma once

#include <QtGlobal>

#include <cstddef>
#include <iterator>
#include <span>

namespace drovex {

// An element of a fixed-size array by the int index the rest of the program counts with (a
// setting's index, a slot, a frame), checked against the array's size in debug builds.
template <typename Array>
constexpr decltype(auto) at(Array& array, int index)
{
    Q_ASSERT(index >= 0 && static_cast<std::size_t>(index) < std::size(array));
    return array[static_cast<std::size_t>(index)];
}

// The same for a view handed out by value (a table's span).
template <typename T, std::size_t N>
constexpr T& at(std::span<T, N> view, int index)
{
    Q_ASSERT(index >= 0 && static_cast<std::size_t>(index) < view.size());
    return view[static_cast<std::size_t>(index)];
}

} // namespace drovex
