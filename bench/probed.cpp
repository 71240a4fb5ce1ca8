// Quillet as its main starts it, with the start-up benchmark's probe: it ends
// once its first run has finished, when the probe was asked for; else it goes
// on as the program does.

#include "app/application.h"
#include "app/frmquillet.h"
#include "bench/startup_probe.h"

int main(int argc, char* argv[])
{
    QuilletApplication app(argc, argv);
    Rng random;
    frmQuillet form(random);
    StartupProbe probe;
    form.Form_Load();
    if (form.hasEnded() || probe.done())
        return 0;
    return QApplication::exec();
}
