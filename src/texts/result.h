#pragma once

// What an operation that can fail gives back: its value, or the user-facing
// message that says why there is none. The file and command-line layers
// answer with these, so that a reason is never lost on the way up.

#include <QString>

#include <optional>
#include <utility>

namespace vx {

// The reason an operation failed, in words for the user.
struct Failure {
    QString message;
};

template <class T> class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    Result(Failure failure) : message_(std::move(failure.message)) {}

    explicit operator bool() const { return value_.has_value(); }
    T& operator*() { return *value_; }
    const T& operator*() const { return *value_; }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    // Empty on success.
    const QString& message() const { return message_; }

private:
    std::optional<T> value_;
    QString message_;
};

// The same for an operation that has nothing to give back.
class [[nodiscard]] Status {
public:
    Status() = default; // success
    Status(Failure failure) : ok_(false), message_(std::move(failure.message)) {}
    template <class T>
    Status(const Result<T>& result) : ok_(static_cast<bool>(result)), message_(result.message()) {}

    explicit operator bool() const { return ok_; }
    const QString& message() const { return message_; }

private:
    bool ok_ = true;
    QString message_;
};

} // namespace vx
