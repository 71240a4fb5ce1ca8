// The page's program: its front end on the page's canvas, and the first
// diagram drawn as the page opens.

#include "web/page.h"

int main()
{
    static Rng random(browserSeed);
    static Page page(random);
    startPage(page);
    return 0;
}
