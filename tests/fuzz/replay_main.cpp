// Runs a fuzz target over inputs kept as files, without libFuzzer: the builds
// without it (the native build and the Windows builds under Wine) put the
// seed corpora and the regression inputs through the same checks.
//   fuzz_NAME [FILE|FOLDER]...   every file named, and every file in each
//                                folder; with no argument, the empty input
// A broken rule ends the program abnormally after naming the input.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

namespace {

// The input in a heap block of exactly its size, as libFuzzer hands it over,
// so that a read past its end leaves the block.
void Run(const std::string& bytes) {
    std::unique_ptr<uint8_t[]> data(new uint8_t[bytes.empty() ? 1 : bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), data.get());
    LLVMFuzzerTestOneInput(data.get(), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        const fs::path named(argv[i]);
        std::error_code error;
        if (fs::is_directory(named, error)) {
            std::vector<fs::path> inside;
            for (const fs::directory_entry& entry : fs::directory_iterator(named, error))
                if (entry.is_regular_file()) inside.push_back(entry.path());
            std::sort(inside.begin(), inside.end());
            files.insert(files.end(), inside.begin(), inside.end());
        } else if (fs::is_regular_file(named, error)) {
            files.push_back(named);
        } else {
            std::fprintf(stderr, "%s: no such file or folder\n", argv[i]);
            return 2;
        }
    }
    if (argc == 1) {
        Run({});
        std::printf("the empty input replayed\n");
        return 0;
    }
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!in.good() && !in.eof()) {
            std::fprintf(stderr, "%s: cannot be read\n", file.string().c_str());
            return 2;
        }
        // Named first: a broken rule ends the program at once.
        std::fprintf(stderr, "%s\n", file.filename().string().c_str());
        Run(bytes);
    }
    std::printf("%s inputs replayed\n", std::to_string(files.size()).c_str());
    return 0;
}
