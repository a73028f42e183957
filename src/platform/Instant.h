#pragma once

#include <QDateTime>

#include <compare>

// An absolute point in time with sub-second precision.
//
// Held as seconds since 2001-01-01 00:00:00 UTC, the form the data files store,
// so that an instant read from a file is written back as exactly the same number.
class Instant {
public:
    static constexpr double kReferenceDateUnixSeconds = 978307200.0;

    constexpr Instant() = default;

    static constexpr Instant fromReferenceSeconds(double seconds) { return Instant(seconds); }
    static constexpr Instant fromUnixSeconds(double seconds) { return Instant(seconds - kReferenceDateUnixSeconds); }
    static Instant fromDateTime(const QDateTime &dateTime);

    constexpr double referenceSeconds() const { return m_sinceReference; }
    constexpr double unixSeconds() const { return m_sinceReference + kReferenceDateUnixSeconds; }
    QDateTime toDateTime() const;

    constexpr Instant addSeconds(double seconds) const { return Instant(m_sinceReference + seconds); }
    constexpr double secondsSince(Instant earlier) const { return m_sinceReference - earlier.m_sinceReference; }

    constexpr auto operator<=>(const Instant &) const = default;

private:
    constexpr explicit Instant(double sinceReference) : m_sinceReference(sinceReference) {}

    double m_sinceReference = 0.0;
};
