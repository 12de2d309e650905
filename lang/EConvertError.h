#pragma once

#include <stdexcept>
#include <string>

/**
 * Raised when a text cannot be read as the value a property needs, for
 * example a language file entry for an integer property that is not a whole
 * number. what() is the UTF-8 message shown by the default error report,
 * in the form "'abc' is not a valid integer value".
 */
class EConvertError : public std::runtime_error
{
public:
    explicit EConvertError(const std::string &message) : std::runtime_error(message) {}
};
