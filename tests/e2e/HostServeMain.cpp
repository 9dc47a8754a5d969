// A stand-alone `--serve` host for the whole-program host tests, usable
// before and besides the full program.
#include "app/ServeMain.h"

int main(int argc, char** argv)
{
    return glypharo::runServe(argc, argv);
}
