#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>

#include "tools/hostsim/cli.h"

int wmain(int argc, wchar_t** argv) {
    // Listings are UTF-8 with "\n" line ends on every system, for scripts.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::vector<vb::String> args;
    for (int i = 1; i < argc; ++i) {
        std::wstring_view arg(argv[i]);
        args.emplace_back(arg.begin(), arg.end());
    }
    return hostsim::Run(args, std::cout, std::cerr);
}
