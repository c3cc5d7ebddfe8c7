#include <iostream>

#include "cli/cli.h"
#include "cli/standard_streams.h"

int main(int argc, char **argv) {
    pathost::HoldClosedStandardStreams();
    return pathost::RunCli(argc, argv, std::cout, std::cerr);
}
