#pragma once
#include <exception>
#include <string>

// The message of the exception that a statement raises, or "" when it raises none.
template <class Statement>
std::string MessageOf(Statement statement) {
    try {
        statement();
    } catch (const std::exception& error) {
        return error.what();
    }
    return "";
}
