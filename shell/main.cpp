#include "BuiltInDataRoot.h"
#include "GuardedApplication.h"
#include "StartUp.h"

int main(int argc, char** argv)
{
    controls::GuardedApplication application(argc, argv);
    return startUp(store::builtInDataRoot());
}
