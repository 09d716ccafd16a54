#pragma once
#include <stdexcept>
#include <string>

namespace kestrel {

// A failure that ends a command; its text is shown to the user as it stands.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace kestrel
