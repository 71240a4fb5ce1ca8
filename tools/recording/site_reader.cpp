#include "tools/recording/site_reader.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "tools/recording/parse_number.h"

namespace {

constexpr int maxSites = 99;

std::string_view trimmed(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

// Parses one number from the front of s and drops it (and the blanks after it).
bool takeNumber(std::string_view& s, float& value)
{
    const char* begin = s.data();
    const char* end = s.data() + s.size();
    if (begin != end && *begin == '+')
        ++begin;  // from_chars takes no plus sign
    const auto [ptr, ec] = parseFloat(begin, end, value);
    if (ec != std::errc() || ptr == begin || !std::isfinite(value))
        return false;
    if (ptr != end && *ptr != ' ' && *ptr != '\t')
        return false;
    s = trimmed(std::string_view(ptr, static_cast<std::size_t>(end - ptr)));
    return true;
}

}  // namespace

bool readSites(std::istream& in, Sites& sites, std::string& error)
{
    sites = Sites{};
    std::string raw;
    int lineNo = 0;
    while (std::getline(in, raw)) {
        ++lineNo;
        std::string_view s = trimmed(raw);
        if (s.empty() || s.front() == '#')
            continue;
        float x = 0;
        float y = 0;
        if (!takeNumber(s, x) || !takeNumber(s, y) || !s.empty()) {
            error = "line " + std::to_string(lineNo) + ": expected two finite numbers";
            return false;
        }
        if (sites.N == maxSites) {
            error = "line " + std::to_string(lineNo) + ": more than 99 sites";
            return false;
        }
        sites.add(x, y);
    }
    if (in.bad()) {
        error = "the sites could not be read";
        return false;
    }
    if (sites.N == 0) {
        error = "no sites: at least 1 is needed";
        return false;
    }
    return true;
}
