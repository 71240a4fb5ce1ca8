#pragma once

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <string>

// A float from the front of [begin, end), as std::from_chars reads it. Where
// the C++ library has no from_chars for floats (emscripten's, for the page),
// strtof reads it: in the "C" locale, which the tools never leave, it takes
// the same numbers and rounds them the same way, and also leading blanks and
// hexadecimal, which are refused here as from_chars refuses them.
inline std::from_chars_result parseFloat(const char* begin, const char* end, float& value)
{
#if defined(__cpp_lib_to_chars)
    return std::from_chars(begin, end, value);
#else
    const std::string text(begin, end);
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0])) ||
        text.find_first_of("xX") != std::string::npos)
        return {begin, std::errc::invalid_argument};
    char* stop = nullptr;
    errno = 0;
    const float read = std::strtof(text.c_str(), &stop);
    const char* ptr = begin + (stop - text.c_str());
    if (ptr == begin)
        return {begin, std::errc::invalid_argument};
    if (errno == ERANGE)
        return {ptr, std::errc::result_out_of_range};
    value = read;
    return {ptr, std::errc()};
#endif
}
