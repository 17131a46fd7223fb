#pragma once

#include <stdexcept>

namespace msgfile {

// A file that cannot be read as what it claims to be: missing, truncated, corrupt or hostile.
class FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace msgfile
