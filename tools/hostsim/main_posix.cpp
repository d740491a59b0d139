#include <iostream>

#include "tools/hostsim/cli.h"

int main(int argc, char** argv) {
    std::vector<vb::String> args;
    for (int i = 1; i < argc; ++i) args.push_back(vb::FromUtf8(argv[i]));
    return hostsim::Run(args, std::cout, std::cerr);
}
