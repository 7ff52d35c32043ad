#pragma once

#include <QString>
#include <QtGlobal>
#include <type_traits>
#include <utility>
#include <variant>

// Why an operation failed, as it is handed back: `return Failure{reason};`.
template <class E> struct Failure
{
    E error;
};
template <class E> Failure(E) -> Failure<E>;

// A text reason describes itself; other reasons give a describeFailure() of their own beside
// them.
inline QString describeFailure(const QString& reason)
{
    return reason;
}

// What an operation that can fail gives back: its value, or the reason it failed (a StoreError
// from the store, a PictureRefusal from picture decoding, a text the collector can read from
// everything else). Asking a failure for its value, or a success for its reason, is a programming
// error and stops the program with the reason, so a test that forgets to check sees why.
template <class T, class E = QString> class [[nodiscard]] Result
{
public:
    Result(const T& value) : m_state(std::in_place_index<0>, value) {}
    Result(T&& value) : m_state(std::in_place_index<0>, std::move(value)) {}
    template <class F>
    requires std::is_constructible_v<E, F&&> Result(Failure<F> failure)
        : m_state(std::in_place_index<1>, std::move(failure.error))
    {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T& value() const&
    {
        expectValue();
        return std::get<0>(m_state);
    }
    T& value() &
    {
        expectValue();
        return std::get<0>(m_state);
    }
    // By value, so `for (x : fetch().value())` does not outlive the result it came from.
    T value() &&
    {
        expectValue();
        return std::get<0>(std::move(m_state));
    }
    const T& operator*() const& { return value(); }
    const T* operator->() const { return &value(); }

    // The value, or `fallback` when the operation failed.
    T valueOr(T fallback) const& { return ok() ? std::get<0>(m_state) : std::move(fallback); }
    T valueOr(T fallback) &&
    {
        return ok() ? std::get<0>(std::move(m_state)) : std::move(fallback);
    }

    const E& error() const
    {
        if (ok())
            qFatal("Result: the reason of a success was asked for");
        return std::get<1>(m_state);
    }

private:
    void expectValue() const
    {
        if (!ok())
            qFatal("Result: the value of a failure was asked for: %s",
                   qPrintable(describeFailure(std::get<1>(m_state))));
    }

    std::variant<T, E> m_state;
};

// An operation that gives nothing back when it succeeds.
template <class E> class [[nodiscard]] Result<void, E>
{
public:
    Result() = default;
    template <class F>
    requires std::is_constructible_v<E, F&&> Result(Failure<F> failure)
        : m_error(std::move(failure.error)), m_failed(true)
    {}

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }

    const E& error() const
    {
        if (ok())
            qFatal("Result: the reason of a success was asked for");
        return m_error;
    }

private:
    E m_error{};
    bool m_failed = false;
};
