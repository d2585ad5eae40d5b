// The program's entry: the one application object, made before the entry
// runs, drives the program's life.

#include "ApplicationClass.h"

namespace {

ApplicationClass application;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showState)
{
    return application.Execute(instance, previous, commandLine, showState);
}
