// Copies every pair named in a list file with ReplaceFile, so that a script
// can time the program's own copy against cp on the same files. The list
// holds NUL-terminated paths: source, target, source, target, ...

#include "platform/posix/FileCopy.h"

#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " PAIR-LIST\n";
        return 2;
    }
    std::ifstream list(argv[1], std::ios::binary);
    if (!list) {
        std::cerr << argv[1] << ": cannot be read\n";
        return 2;
    }
    int failed = 0;
    std::string source;
    std::string target;
    while (std::getline(list, source, '\0') && std::getline(list, target, '\0')) {
        const tarvello::CopyOutcome outcome = tarvello::ReplaceFile(source, target);
        if (outcome.status != tarvello::CopyOutcome::Status::Copied) {
            std::cerr << source << " -> " << target << ": " << outcome.reason << '\n';
            ++failed;
        }
    }
    return failed == 0 ? 0 : 1;
}
