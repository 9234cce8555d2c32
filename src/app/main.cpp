#include "app/Program.h"
#include "app/SystemPlatform.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // Before the application object, so that the services start beside it.
    const vocarin::Platform platform = vocarin::systemPlatform();
    QApplication app(argc, argv);
    return vocarin::runVocarin(platform);
}
