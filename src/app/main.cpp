#include "app/Program.h"
#include "app/SystemPlatform.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // Before the application object, so that the services start beside it.
    vocarin::Program program(vocarin::systemPlatform());
    QApplication app(argc, argv);
    return vocarin::runVocarin(program);
}
