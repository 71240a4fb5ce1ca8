#include "app/application.h"
#include "app/frmquillet.h"

int main(int argc, char* argv[])
{
    QuilletApplication app(argc, argv);
    frmQuillet form;
    return runQuillet(form);
}
