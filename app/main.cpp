// The console program: no arguments, no settings outside its program directory.
#include "app/ShowApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    // Ties the window to the installed desktop entry, so the task bar shows its name
    // and icon (on Wayland the entry is found by this name alone).
    QApplication::setDesktopFileName(GLIMMER_APP_ID);
    CShowApp app;
    return app.Run();
}
