#include <QApplication>

#include "app/frmquillet.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quillet");
    QGuiApplication::setDesktopFileName(QUILLET_APP_ID);
    frmQuillet form;
    return runQuillet(form);
}
