#pragma once

#include <QString>

#include <optional>

// Starting the program when the user logs in.
class LoginItem {
public:
    virtual ~LoginItem() = default;

    // Each returns the description of the error, or nothing on success.
    virtual std::optional<QString> registerItem() = 0;
    virtual std::optional<QString> unregisterItem() = 0;
};
