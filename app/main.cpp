#include "app/application.h"
#include "app/frmquillet.h"

int main(int argc, char* argv[])
{
    QuilletApplication app(argc, argv);
    Rng random;  // seeded from the clock at each run
    frmQuillet form(random);
    return runQuillet(form);
}
