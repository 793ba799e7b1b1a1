#include "app/ZentrelApp.h"

int main(int argc, char** argv)
{
    CZentrelApp app(argc, argv);
    return 0;
}
