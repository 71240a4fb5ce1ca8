#include "app/vector_state.h"

#if defined(__x86_64__) && defined(__GNUC__)

#include <immintrin.h>

namespace {

// Built for AVX, and called only where the processor and the system have it.
__attribute__((target("avx"))) void zeroUpper() { _mm256_zeroupper(); }

}  // namespace

void dropUpperVectorState()
{
    // (libgcc's test also asks the system whether it saves the AVX state.)
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx)
        zeroUpper();
}

#else

void dropUpperVectorState() {}

#endif
