// Runs a fuzz target, built with the normal compiler and no fuzzer, on each
// of its seeds and kept findings, so that `make test` holds every fault the
// fuzzer once found fixed. A broken property aborts, failing the test.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// Arguments: the target's folder of seeds, then of findings (none may be
// kept yet).
int main(int argc, char* argv[]) {
    if (argc != 3)
        return 2;
    std::size_t inputs = 0;
    for (const std::filesystem::path folder : {argv[1], argv[2]}) {
        if (!std::filesystem::exists(folder) && folder == argv[2])
            continue;
        for (const auto& file : std::filesystem::directory_iterator(folder)) {
            std::ifstream in(file.path(), std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(in), {}};
            std::cout << file.path().filename().string() << std::endl;
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
            ++inputs;
        }
    }
    std::cout << inputs << " inputs replayed\n";
    return inputs > 0 ? 0 : 1;
}
