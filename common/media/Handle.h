#pragma once

// Owning handle for reference-counted framework objects. Every reference this
// layer keeps lives in a Handle; there are no raw owning pointers.
//
//   Handle<T>::Adopt(p)         takes over a (non-floating) reference the caller owns.
//   Handle<T>::Ref(p)           adds a reference of its own to a borrowed pointer.
//   Handle<T>::AdoptFloating(p) takes a newly created object that may carry a
//                               floating reference; the one place that sinks it.

#include "GstForward.h"

#include <cstddef>
#include <utility>

namespace media {

namespace detail {
void RefObject(void* object);
void UnrefObject(void* object);
void* RefSinkObject(void* object);
void RefMiniObject(void* object);
void UnrefMiniObject(void* object);
} // namespace detail

// GObject-derived types (elements, pads, buses, timeline objects).
template <typename T>
struct HandleTraits {
    static void Ref(T* p) { detail::RefObject(p); }
    static void Unref(T* p) { detail::UnrefObject(p); }
    static T* RefSink(T* p) { return static_cast<T*>(detail::RefSinkObject(p)); }
};

// Mini objects have their own reference count and are never floating.
template <typename T>
struct MiniObjectTraits {
    static void Ref(T* p) { detail::RefMiniObject(p); }
    static void Unref(T* p) { detail::UnrefMiniObject(p); }
};
template <>
struct HandleTraits<GstCaps> : MiniObjectTraits<GstCaps> {};
template <>
struct HandleTraits<GstMessage> : MiniObjectTraits<GstMessage> {};
template <>
struct HandleTraits<GstEvent> : MiniObjectTraits<GstEvent> {};
template <>
struct HandleTraits<GstQuery> : MiniObjectTraits<GstQuery> {};
template <>
struct HandleTraits<GstSample> : MiniObjectTraits<GstSample> {};
template <>
struct HandleTraits<GstBuffer> : MiniObjectTraits<GstBuffer> {};

template <typename T>
class Handle {
public:
    using Traits = HandleTraits<T>;

    Handle() noexcept = default;
    Handle(std::nullptr_t) noexcept {}

    [[nodiscard]] static Handle Adopt(T* p) noexcept {
        Handle h;
        h.p_ = p;
        return h;
    }
    [[nodiscard]] static Handle Ref(T* p) noexcept {
        if (p != nullptr) {
            Traits::Ref(p);
        }
        return Adopt(p);
    }
    [[nodiscard]] static Handle AdoptFloating(T* p) noexcept {
        return Adopt(p != nullptr ? Traits::RefSink(p) : nullptr);
    }

    Handle(const Handle& other) noexcept : p_(other.p_) {
        if (p_ != nullptr) {
            Traits::Ref(p_);
        }
    }
    Handle(Handle&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    Handle& operator=(Handle other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ~Handle() { reset(); }

    void reset() noexcept {
        if (T* old = std::exchange(p_, nullptr)) {
            Traits::Unref(old);
        }
    }

    T* get() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    bool operator==(const Handle& other) const noexcept { return p_ == other.p_; }

private:
    T* p_ = nullptr;
};

} // namespace media
