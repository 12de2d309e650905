#pragma once

#include <stdexcept>
#include <string>

/**
 * Raised when a resize handle is asked to frame a control it can not frame:
 * a top-level window.
 */
class EBadAttach : public std::runtime_error
{
public:
    explicit EBadAttach(const std::string &message) : std::runtime_error(message) {}
};
