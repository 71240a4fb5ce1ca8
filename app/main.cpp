#include <QApplication>

#include "app/frmquillet.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quillet");

    frmQuillet form;
    form.Form_Load();  // the first run starts by itself, before the event loop
    if (form.hasEnded())
        return 0;
    return QApplication::exec();
}
