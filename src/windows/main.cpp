#include "windows/Platform.h"
#include "windows/Vocarin.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // Before the application object, so that the services start beside it.
    const vocarin::Platform platform = vocarin::Platform::system();
    QApplication app(argc, argv);
    return vocarin::runVocarin(platform);
}
