#pragma once
#include <stdexcept>
#include <string>
#include <string_view>

namespace kestrel {

// A failure that ends a command; its text is shown to the user as it stands.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A name or value as a message quotes it: in quotation marks, and cut after a few
// hundred bytes (on a character boundary) so that a huge value from a file cannot
// flood a message box.
inline std::string Shortened(std::string_view text, std::size_t limit = 300) {
    if (text.size() <= limit) return std::string(text);
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return std::string(text.substr(0, cut)) + "... (" + std::to_string(text.size()) + " bytes)";
}
inline std::string Quoted(std::string_view text, std::size_t limit = 300) {
    return "\"" + Shortened(text, limit) + "\"";
}

}  // namespace kestrel
