#include "windows/Platform.h"
#include "windows/Vocarin.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    return vocarin::runVocarin(vocarin::Platform::system());
}
