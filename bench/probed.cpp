// Quillet as its main starts it, with the start-up benchmark's probe: it ends
// once its first run has finished, when the probe was asked for.

#include "app/application.h"
#include "app/frmquillet.h"
#include "bench/startup_probe.h"

int main(int argc, char* argv[])
{
    QuilletApplication app(argc, argv);
    frmQuillet form;
    StartupProbe probe;
    return runQuillet(form, [&probe] { return probe.done(); });
}
