// Feeds the trace tool's site reader arbitrary bytes. It either accepts 1 to
// 99 finite sites, or refuses with one line that says why.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "tools/recording/site_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    Sites sites;
    std::string error;
    if (readSites(in, sites, error)) {
        if (sites.N < 1 || sites.N > 99 || !error.empty())
            std::abort();
        for (int k = 0; k < sites.N; ++k) {
            if (!std::isfinite(sites.X[k]) || !std::isfinite(sites.Y[k]))
                std::abort();
        }
    } else if (error.empty() || error.find('\n') != std::string::npos) {
        std::abort();
    }
    return 0;
}
