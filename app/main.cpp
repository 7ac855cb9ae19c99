// The console program: no arguments, no settings outside its program directory.
#include "app/ShowApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    CShowApp app;
    return app.Run();
}
